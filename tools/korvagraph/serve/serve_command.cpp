#include "tools/korvagraph/serve/serve_command.h"

#include <malloc.h>
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "korvagraph/analysis/table.h"
#include "tools/korvagraph/commands.h"
#include "tools/korvagraph/printable.h"
#include "tools/korvagraph/serve/workbench.h"
#include "tools/korvagraph/serve/workbench_server.h"

namespace korvagraph {
namespace {

using analysis::Status;

// Blocks SIGINT and SIGTERM in the calling thread and the threads it starts
// from now on, and stops the server from a thread of its own when one
// arrives, so that the server shuts down cleanly. A picture being drawn
// cannot be cut short: when the server has not stopped within the grace
// time, the process ends without it.
class StopOnSignal {
 public:
  explicit StopOnSignal(WorkbenchServer* server) {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    waiter_ = std::thread([this, server] {
      int signal = 0;
      sigwait(&signals_, &signal);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (served_) return;
      }
      server->Stop();
      std::unique_lock<std::mutex> lock(mutex_);
      if (!stopped_.wait_for(lock, kGrace, [this] { return served_; })) {
        std::printf("korvagraph: stopped\n");
        std::fflush(stdout);
        std::_Exit(kExitOk);
      }
    });
  }
  // Wakes the waiting thread when no signal came, and restores the mask.
  ~StopOnSignal() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      served_ = true;
    }
    stopped_.notify_all();
    pthread_kill(waiter_.native_handle(), SIGTERM);
    waiter_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  StopOnSignal(const StopOnSignal&) = delete;
  StopOnSignal& operator=(const StopOnSignal&) = delete;

 private:
  // Within 2 s of the signal, with time for the process to end.
  static constexpr std::chrono::milliseconds kGrace{1200};

  sigset_t signals_;
  sigset_t previous_;
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool served_ = false;  // the server loop has returned
  std::thread waiter_;
};

// Pictures and answers of megabytes come and go with every request: taken
// straight from the system, they go back to it when freed, instead of the
// threads' heaps keeping the peak of a load (the default threshold rises to
// the largest block freed).
constexpr int kOwnMappingBytes = 1024 * 1024;

int Fail(const std::string& message) {
  std::fprintf(stderr, "korvagraph: %s\n",
               Printable(message, /*keep_line_feeds=*/true).c_str());
  return kExitUserError;
}

}  // namespace

int RunServe(const Options& options, const std::string& path) {
  mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
  analysis::Table table;
  Status status = analysis::ReadTable(path, analysis::TrimLimits{}, &table);
  if (!status.ok()) return Fail(status.ToString());
  Workbench workbench(std::move(table));
  // The first view tells at once whether the data can be shown at all.
  std::multimap<std::string, std::string> none;
  QueryParams params(none);
  WorkbenchRequest request;
  status = ReadWorkbenchRequest(&params, options, &request);
  if (!status.ok()) return Fail(status.ToString());
  status = workbench.Prepare(request);
  if (!status.ok()) return Fail(status.ToString());

  WorkbenchServer server(&workbench, options);
  int port = 0;
  status = server.Bind(options.host, options.port, &port);
  if (!status.ok()) return Fail(status.ToString());
  StopOnSignal stop(&server);
  std::printf("korvagraph: serving %s at http://%s:%d/ (Ctrl-C stops)\n",
              Printable(path).c_str(), options.host.c_str(), port);
  std::fflush(stdout);
  if (!server.Run()) return Fail("the server stopped on an error");
  std::printf("korvagraph: stopped\n");
  return kExitOk;
}

}  // namespace korvagraph
