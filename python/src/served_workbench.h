// ServedWorkbench: korvagraph's browser workbench over a table, served on
// 127.0.0.1 in the background for a notebook, through the same Workbench
// and WorkbenchServer as `korvagraph serve`.
//
// The server runs in a child process of its own rather than in a thread of
// the caller's: the chart library is single-threaded and the workbench
// draws under a lock of its own, which the module's LibraryLock cannot
// share, so a workbench thread drawing while a notebook cell draws would
// race in the chart library. The child is forked while the LibraryLock is
// held (no chart is being drawn), runs no Python, ends with the process
// that started it, and is stopped by SIGTERM.
#ifndef PYTHON_SRC_SERVED_WORKBENCH_H_
#define PYTHON_SRC_SERVED_WORKBENCH_H_

#include <sys/types.h>

#include <memory>

#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"
#include "tools/korvagraph/options.h"

namespace korvagraph::python {

class ServedWorkbench {
 public:
  // Prepares the workbench of table with the options' settings (failing,
  // saying why, when the data cannot be shown) and serves it on
  // options.host:options.port (0: any free port) until Stop.
  static analysis::Status Start(analysis::Table table, const Options& options,
                                std::unique_ptr<ServedWorkbench>* served);
  // Stops the server.
  ~ServedWorkbench();
  ServedWorkbench(const ServedWorkbench&) = delete;
  ServedWorkbench& operator=(const ServedWorkbench&) = delete;

  int port() const { return port_; }
  bool running() const { return pid_ > 0; }
  // Ends the server: SIGTERM, then SIGKILL when it has not ended within
  // 2 s; returns once it has. Does nothing the second time.
  void Stop();

 private:
  ServedWorkbench(pid_t pid, int port) : pid_(pid), port_(port) {}

  pid_t pid_;
  int port_;
};

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_SERVED_WORKBENCH_H_
