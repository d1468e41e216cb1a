// WorkbenchServer: the HTTP side of `korvagraph serve`. It routes the page,
// the chart pictures and the workbench's JSON answers to a Workbench it
// does not own, answers every error with its reason in the body (other
// methods with 405, malformed requests with 400, unknown pages with 404),
// and serves from a pool of threads, under limits that slow clients cannot
// stretch, until stopped.
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_SERVER_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_SERVER_H_

#include <atomic>
#include <memory>
#include <string>

#include "tools/korvagraph/options.h"
#include "tools/http_guard/turn_gate.h"
#include "tools/korvagraph/serve/workbench.h"

namespace korvagraph {

class GuardedHttpServer;

class WorkbenchServer {
 public:
  // workbench must outlive the server; options are those requests start
  // from.
  WorkbenchServer(Workbench* workbench, Options options);
  ~WorkbenchServer();
  WorkbenchServer(const WorkbenchServer&) = delete;
  WorkbenchServer& operator=(const WorkbenchServer&) = delete;

  // Binds host:port, any free port when port is 0; writes the port bound.
  analysis::Status Bind(const std::string& host, int port, int* bound);
  // Serves the bound socket until Stop; returns false when it could not.
  bool Run();
  // Makes Run return promptly, or return at once if it has not started;
  // safe from any thread. Requests waiting for the workbench get a 503.
  void Stop();

 private:
  void Route();

  Workbench* workbench_;
  const Options options_;
  // Requests take turns at the workbench, as many at once as it works on;
  // the others wait here, where a stop sends them away.
  TurnGate workbench_turns_;
  std::unique_ptr<GuardedHttpServer> server_;
  // The library's stop has no effect before its loop runs: Stop waits for
  // a Run under way to get there, and a Run not yet begun sees stop_.
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
};

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_SERVER_H_
