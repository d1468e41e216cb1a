#include "analysis/chunk_runner.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <numeric>
#include <thread>

namespace korvagraph::analysis {
namespace {

// Joins the threads it holds when it goes out of scope, on every path.
class ThreadGroup {
 public:
  ThreadGroup() = default;
  ~ThreadGroup() {
    for (std::thread& thread : threads_) thread.join();
  }
  ThreadGroup(const ThreadGroup&) = delete;
  ThreadGroup& operator=(const ThreadGroup&) = delete;

  template <typename Body>
  void Start(Body body) {
    threads_.emplace_back(body);
  }

 private:
  std::vector<std::thread> threads_;
};

}  // namespace

int WorkerCount() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool RunChunks(const std::vector<int64_t>& work,
               const std::function<void(int chunk)>& run, const char* step,
               const ProgressCallback& progress) {
  return RunChunksInOrder(
      work, run, [](int) {}, step, progress);
}

bool RunChunksInOrder(const std::vector<int64_t>& work,
                      const std::function<void(int chunk)>& run,
                      const std::function<void(int chunk)>& finish,
                      const char* step, const ProgressCallback& progress) {
  const int chunks = static_cast<int>(work.size());
  const int64_t total = std::accumulate(work.begin(), work.end(), int64_t{0});
  std::atomic<int> next{0};
  std::atomic<int64_t> done{0};
  std::atomic<bool> cancelled{false};
  // Chunks run but not yet finished, and the first chunk not finished.
  std::mutex finishing;
  std::vector<char> ran(static_cast<size_t>(chunks), 0);
  int unfinished = 0;
  auto finish_in_order = [&](int chunk) {
    const std::lock_guard<std::mutex> lock(finishing);
    ran[chunk] = 1;
    while (unfinished < chunks && ran[unfinished]) finish(unfinished++);
  };
  // Takes chunks until none is left; the calling thread also reports.
  auto take = [&](bool reports) {
    for (int chunk = next++; chunk < chunks && !cancelled; chunk = next++) {
      run(chunk);
      finish_in_order(chunk);
      const int64_t finished = done += work[chunk];
      if (reports && progress && !progress({step, finished, total})) {
        cancelled = true;
      }
    }
  };
  {
    ThreadGroup helpers;
    const int helper_count = std::min(WorkerCount(), chunks) - 1;
    for (int t = 0; t < helper_count; ++t) {
      helpers.Start([&take] { take(false); });
    }
    take(true);
  }
  // Chunks that other threads finished last are reported here.
  if (progress && !cancelled) progress({step, total, total});
  return !cancelled;
}

}  // namespace korvagraph::analysis
