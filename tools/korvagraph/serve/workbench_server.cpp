#include "tools/korvagraph/serve/workbench_server.h"

#include <httplib.h>

#include <exception>
#include <thread>
#include <utility>
#include <vector>

#include "korvagraph/analysis/json.h"
#include "tools/http_guard/guarded_http_server.h"
#include "tools/korvagraph/serve/query_params.h"
#include "tools/korvagraph/serve/workbench_page.h"

namespace korvagraph {
namespace {

using analysis::JsonObject;
using analysis::Status;

// Requests carry everything in the query: no body is read.
constexpr size_t kMaxBody = 1024;
constexpr int kMaxCoordinate = 100000;
// Workers serve a connection each: twice the 64 slow clients the server is
// meant to shrug off, each of which the limits below drop within 2 s.
constexpr size_t kWorkers = 128;
constexpr size_t kMaxQueuedConnections = 512;
// Requests the workbench answers at once (it works one at a time), and
// requests waiting for it at most; beyond, a 503.
constexpr size_t kWorkbenchTurns = 1;
constexpr size_t kMaxWaitingRequests = 64;
// Seconds a request has to arrive whole, a client to take more of an
// answer, and an open connection to start its next request.
constexpr time_t kRequestSeconds = 2;
constexpr time_t kStallSeconds = 2;
constexpr time_t kIdleSeconds = 2;
constexpr size_t kRequestsPerConnection = 100;
constexpr char kAllowed[] = "GET, HEAD";

Reply ErrorReply(int status, const std::string& reason) {
  return Reply{status, "application/json",
               JsonObject().Text("error", reason).str()};
}

void Send(Reply reply, httplib::Response* response) {
  response->status = reply.status;
  response->set_header("Cache-Control", "no-store");
  response->set_header("Content-Type", reply.content_type);
  response->body = std::move(reply.body);
}

// Answers one kind of request from its parsed query; may read more
// parameters, whose failure the caller turns into a 400.
using Handler = Reply (*)(Workbench* workbench, QueryParams* params,
                          const WorkbenchRequest& request);

Reply Info(Workbench* workbench, QueryParams*, const WorkbenchRequest& r) {
  return workbench->Info(r);
}

Reply Points(Workbench* workbench, QueryParams*, const WorkbenchRequest& r) {
  return workbench->Points(r);
}

Reply Fit(Workbench* workbench, QueryParams*, const WorkbenchRequest& r) {
  return workbench->Fit(r);
}

Reply Pick(Workbench* workbench, QueryParams* params,
           const WorkbenchRequest& r) {
  if (!params->Has("x") || !params->Has("y")) {
    return Reply::BadRequest("x, y: expected the click's pixel");
  }
  const int x = params->Integer("x", 0, 0, kMaxCoordinate);
  const int y = params->Integer("y", 0, 0, kMaxCoordinate);
  return params->status().ok() ? workbench->Pick(r, x, y) : Reply();
}

Reply Box(Workbench* workbench, QueryParams* params,
          const WorkbenchRequest& r) {
  const std::vector<double> corners =
      params->Numbers("px", {}, 4, 0, kMaxCoordinate);
  if (!params->status().ok()) return Reply();
  if (corners.size() != 4) {
    return Reply::BadRequest(
        "px: expected the box's corners in pixels: x0,y0,x1,y1");
  }
  return workbench->SelectBox(
      r, {static_cast<int>(corners[0]), static_cast<int>(corners[1]),
          static_cast<int>(corners[2]), static_cast<int>(corners[3])});
}

Reply Warnings(Workbench* workbench, QueryParams* params,
               const WorkbenchRequest& r) {
  return workbench->Warnings(params->Text("chart", "vario"), r);
}

Reply Model(Workbench* workbench, QueryParams* params,
            const WorkbenchRequest& r) {
  const std::string format =
      params->Choice("format", "json", {"json", "gslib"});
  return params->status().ok() ? workbench->ModelText(r, format) : Reply();
}

Reply Load(Workbench*, QueryParams* params, const WorkbenchRequest&) {
  if (!params->Has("text")) {
    return Reply::BadRequest(
        "text: expected a model's JSON, GSLIB block or written-out sum");
  }
  return Workbench::LoadModel(params->Text("text", ""));
}

const struct {
  const char* path;
  Handler handler;
} kRoutes[] = {
    {"/api/info", Info},         {"/api/points", Points}, {"/api/pick", Pick},
    {"/api/box", Box},           {"/api/fit", Fit},       {"/api/model", Model},
    {"/api/warnings", Warnings}, {"/api/load", Load},
};

constexpr char kChartPattern[] = R"(/chart/([^/]+)\.(png|svg))";

std::string KnownPages() {
  std::string pages = "/, /chart/NAME.png, /chart/NAME.svg";
  for (const auto& route : kRoutes) pages += std::string(", ") + route.path;
  return pages;
}

// The reason given with an answer that the HTTP library makes itself.
std::string ReasonFor(int status) {
  switch (status) {
    case 400:
      return "malformed request: expected a request line (GET, HEAD), "
             "headers and an empty line";
    case 404:
      return "no such page; the workbench serves " + KnownPages();
    case 405:
      return std::string("method not allowed: the workbench answers ") +
             kAllowed;
    case 413:
      return "request body over " + std::to_string(kMaxBody) +
             " bytes: the workbench reads its settings from the URL";
    case 414:
      return "URL over " + std::to_string(CPPHTTPLIB_REQUEST_URI_MAX_LENGTH) +
             " bytes";
    default:
      return "the request could not be answered (status " +
             std::to_string(status) + ")";
  }
}

// Reads the workbench request of request and answers it with
// answer(&params, parsed) in its turn at the workbench, or with the 400
// that its parameters deserve.
template <typename Answer>
Reply Serve(const httplib::Request& request, const Options& options,
            TurnGate* turns, Answer answer) {
  QueryParams params(request.params);
  WorkbenchRequest parsed;
  const Status status = ReadWorkbenchRequest(&params, options, &parsed);
  if (!status.ok()) return Reply::BadRequest(status.ToString());
  const GateTurn turn(turns);
  if (turn.entry() == TurnGate::Entry::kBusy) {
    return ErrorReply(503, "busy: too many requests wait; try again");
  }
  if (turn.entry() == TurnGate::Entry::kClosed) {
    return ErrorReply(503, "the server is stopping");
  }
  Reply reply = answer(&params, parsed);  // moved out: pictures are large
  if (!params.status().ok()) {
    return Reply::BadRequest(params.status().ToString());
  }
  return reply;
}

}  // namespace

WorkbenchServer::WorkbenchServer(Workbench* workbench, Options options)
    : workbench_(workbench),
      options_(std::move(options)),
      workbench_turns_(kWorkbenchTurns, kMaxWaitingRequests),
      server_(std::make_unique<GuardedHttpServer>(kWorkers,
                                                  kMaxQueuedConnections)) {
  Route();
}

WorkbenchServer::~WorkbenchServer() = default;

void WorkbenchServer::Route() {
  GuardedHttpServer& server = *server_;
  server.set_payload_max_length(kMaxBody);
  server.set_read_timeout(kRequestSeconds, 0);
  server.set_write_timeout(kStallSeconds, 0);
  server.set_keep_alive_timeout(kIdleSeconds);
  server.set_keep_alive_max_count(kRequestsPerConnection);
  // Address reuse lets a restarted server listen at once; port sharing,
  // which the library turns on by default, would let a second server take
  // a port already served and split its requests.
  server.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  server.set_exception_handler([](const httplib::Request&,
                                  httplib::Response& response,
                                  std::exception_ptr) {
    Send(ErrorReply(500, "internal error"), &response);
  });
  // Answers the library makes (malformed requests, unknown pages, limits)
  // get their reason too; the workbench's own keep theirs.
  server.set_error_handler(httplib::Server::HandlerWithResponse(
      [](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) {
          return httplib::Server::HandlerResponse::Unhandled;
        }
        Send(ErrorReply(response.status, ReasonFor(response.status)),
             &response);
        return httplib::Server::HandlerResponse::Handled;
      }));

  std::vector<std::pair<std::string, httplib::Server::Handler>> pages;
  pages.emplace_back(
      "/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(WorkbenchPage(), "text/html; charset=utf-8");
      });
  pages.emplace_back(kChartPattern, [this](const httplib::Request& request,
                                           httplib::Response& response) {
    const std::string name = request.matches[1];
    const analysis::ImageFormat format = request.matches[2] == "svg"
                                             ? analysis::ImageFormat::kSvg
                                             : analysis::ImageFormat::kPng;
    Send(Serve(request, options_, &workbench_turns_,
               [&](QueryParams*, const WorkbenchRequest& parsed) {
                 return workbench_->Chart(name, format, parsed);
               }),
         &response);
  });
  for (const auto& route : kRoutes) {
    const Handler handler = route.handler;
    pages.emplace_back(
        route.path, [this, handler](const httplib::Request& request,
                                    httplib::Response& response) {
          Send(Serve(request, options_, &workbench_turns_,
                     [&](QueryParams* params, const WorkbenchRequest& parsed) {
                       return handler(workbench_, params, parsed);
                     }),
               &response);
        });
  }
  // Every page is read only: other methods get 405 and what is allowed.
  const httplib::Server::Handler refuse = [](const httplib::Request&,
                                             httplib::Response& response) {
    response.status = 405;
    response.set_header("Allow", kAllowed);
  };
  for (const auto& [pattern, handler] : pages) {
    server.Get(pattern, handler);
    server.Post(pattern, refuse);
    server.Put(pattern, refuse);
    server.Patch(pattern, refuse);
    server.Delete(pattern, refuse);
    server.Options(pattern, refuse);
  }
}

Status WorkbenchServer::Bind(const std::string& host, int port, int* bound) {
  *bound = server_->Bind(host, port);
  if (*bound <= 0) {
    return Status::Failure("cannot listen on " + host + ":" +
                           std::to_string(port) +
                           " (in use, or not an address of this machine)");
  }
  return Status::Ok();
}

bool WorkbenchServer::Run() {
  running_ = true;
  const bool served = stop_ || server_->listen_after_bind();
  running_ = false;
  return served;
}

void WorkbenchServer::Stop() {
  stop_ = true;
  workbench_turns_.Close();
  while (running_ && !server_->is_running()) std::this_thread::yield();
  server_->Shutdown();
}

}  // namespace korvagraph
