#include "python/src/served_workbench.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "python/src/library_lock.h"
#include "tools/korvagraph/serve/query_params.h"
#include "tools/korvagraph/serve/workbench.h"
#include "tools/korvagraph/serve/workbench_request.h"
#include "tools/korvagraph/serve/workbench_server.h"

namespace korvagraph::python {
namespace {

using analysis::Status;

// How long the parent waits for the child to listen, and for it to end.
constexpr int kStartMilliseconds = 10000;
constexpr auto kStopGrace = std::chrono::seconds(2);
constexpr auto kStopPoll = std::chrono::milliseconds(10);
// How often the child looks whether its parent is still there.
constexpr auto kParentPoll = std::chrono::milliseconds(200);

// Closes the sockets the child inherited (a notebook kernel's connections,
// other servers' ports), so that they close when their owner closes them.
// Files stay open: the chart library's fonts may be read through them.
void CloseInheritedSockets() {
  std::vector<int> sockets;
  std::error_code ec;
  for (const auto& entry :
       std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    const int fd = std::atoi(entry.path().filename().c_str());
    struct stat info {};
    if (fd > 2 && fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode)) {
      sockets.push_back(fd);
    }
  }
  for (int fd : sockets) close(fd);
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = write(fd, text.data() + done, text.size() - done);
    if (count <= 0) return;
    done += static_cast<size_t>(count);
  }
}

// The child: listens, reports the port (or "!" and why not) on report,
// serves until a signal ends it. Runs no Python and never returns.
[[noreturn]] void ServeInChild(Workbench* workbench, const Options& options,
                               pid_t parent, int report) {
  // Ends with the process that started it, however that ends. (A parent
  // death signal would come when the thread that forked ends instead.)
  std::thread([parent] {
    while (getppid() == parent) std::this_thread::sleep_for(kParentPoll);
    _exit(0);
  }).detach();
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  signal(SIGPIPE, SIG_IGN);
  sigset_t none;
  sigemptyset(&none);
  pthread_sigmask(SIG_SETMASK, &none, nullptr);
  CloseInheritedSockets();
  WorkbenchServer server(workbench, options);
  int port = 0;
  const Status status = server.Bind(options.host, options.port, &port);
  WriteAll(report,
           status.ok() ? std::to_string(port) : "!" + status.ToString());
  close(report);
  if (!status.ok()) _exit(1);
  _exit(server.Run() ? 0 : 1);
}

// Reads what the child reports, waiting kStartMilliseconds at most.
Status ReadReport(int report, int* port) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(kStartMilliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd fd{report, POLLIN, 0};
    if (left.count() <= 0 ||
        poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
      return Status::Failure("the workbench did not start within 10 s");
    }
    char buffer[512];
    const ssize_t count = read(report, buffer, sizeof(buffer));
    if (count <= 0) break;
    text.append(buffer, static_cast<size_t>(count));
  }
  if (text.empty()) return Status::Failure("the workbench could not start");
  if (text[0] == '!') return Status::Failure(text.substr(1));
  *port = std::atoi(text.c_str());
  return Status::Ok();
}

}  // namespace

Status ServedWorkbench::Start(analysis::Table table, const Options& options,
                              std::unique_ptr<ServedWorkbench>* served) {
  // The workbench trims as each request asks; values at -999 and below
  // are missing in any case, as when it reads a file.
  analysis::Trim(analysis::TrimLimits{}, &table);
  Workbench workbench(std::move(table));
  const std::multimap<std::string, std::string> none;
  QueryParams params(none);
  WorkbenchRequest request;
  Status status = ReadWorkbenchRequest(&params, options, &request);
  int pipe_ends[2] = {-1, -1};
  if (status.ok() && pipe2(pipe_ends, O_CLOEXEC) != 0) {
    status = Status::Failure("cannot start the workbench: no pipe");
  }
  if (!status.ok()) return status;
  const pid_t parent = getpid();
  pid_t pid = -1;
  {
    const LibraryLock lock;  // no chart is drawn while the child is made
    status = workbench.Prepare(request);
    if (status.ok()) pid = fork();
    if (pid == 0) ServeInChild(&workbench, options, parent, pipe_ends[1]);
  }
  close(pipe_ends[1]);
  int port = 0;
  if (status.ok() && pid < 0) {
    status = Status::Failure("cannot start the workbench: fork failed");
  }
  if (status.ok()) status = ReadReport(pipe_ends[0], &port);
  close(pipe_ends[0]);
  if (pid > 0) served->reset(new ServedWorkbench(pid, port));
  if (!status.ok() && pid > 0) served->reset();
  return status;
}

ServedWorkbench::~ServedWorkbench() { Stop(); }

void ServedWorkbench::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(kStopPoll);
  }
  pid_ = -1;
}

}  // namespace korvagraph::python
