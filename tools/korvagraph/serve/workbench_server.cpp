#include "tools/korvagraph/serve/workbench_server.h"

#include <httplib.h>

#include <exception>
#include <thread>
#include <utility>

#include "tools/korvagraph/serve/query_params.h"
#include "tools/korvagraph/serve/workbench_page.h"

namespace korvagraph {

using analysis::Status;

namespace {

// Requests carry everything in the query: no body is read.
constexpr size_t kMaxBody = 1024;
constexpr int kMaxCoordinate = 100000;

void Send(const Reply& reply, httplib::Response* response) {
  response->status = reply.status;
  response->set_header("Cache-Control", "no-store");
  response->set_content(reply.body, reply.content_type.c_str());
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

const struct {
  const char* path;
  Handler handler;
} kRoutes[] = {
    {"/api/info", Info},         {"/api/points", Points}, {"/api/pick", Pick},
    {"/api/box", Box},           {"/api/fit", Fit},       {"/api/model", Model},
    {"/api/warnings", Warnings},
};

// Reads the workbench request of request and answers it with
// answer(&params, parsed), or with the 400 that its parameters deserve.
template <typename Answer>
Reply Serve(const httplib::Request& request, const Options& options,
            Answer answer) {
  QueryParams params(request.params);
  WorkbenchRequest parsed;
  const Status status = ReadWorkbenchRequest(&params, options, &parsed);
  if (!status.ok()) return Reply::BadRequest(status.ToString());
  const Reply reply = answer(&params, parsed);
  if (!params.status().ok()) {
    return Reply::BadRequest(params.status().ToString());
  }
  return reply;
}

}  // namespace

WorkbenchServer::WorkbenchServer(Workbench* workbench, Options options)
    : workbench_(workbench),
      options_(std::move(options)),
      server_(std::make_unique<httplib::Server>()) {
  Route();
}

WorkbenchServer::~WorkbenchServer() = default;

void WorkbenchServer::Route() {
  httplib::Server& server = *server_;
  server.set_payload_max_length(kMaxBody);
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
    Send(Reply{500, "text/plain", "internal error"}, &response);
  });
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(WorkbenchPage(), "text/html; charset=utf-8");
  });
  server.Get(
      R"(/chart/([^/]+)\.(png|svg))",
      [this](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[1];
        const analysis::ImageFormat format = request.matches[2] == "svg"
                                                 ? analysis::ImageFormat::kSvg
                                                 : analysis::ImageFormat::kPng;
        Send(Serve(request, options_,
                   [&](QueryParams*, const WorkbenchRequest& parsed) {
                     return workbench_->Chart(name, format, parsed);
                   }),
             &response);
      });
  for (const auto& route : kRoutes) {
    const Handler handler = route.handler;
    server.Get(route.path, [this, handler](const httplib::Request& request,
                                           httplib::Response& response) {
      Send(Serve(request, options_,
                 [&](QueryParams* params, const WorkbenchRequest& parsed) {
                   return handler(workbench_, params, parsed);
                 }),
           &response);
    });
  }
}

Status WorkbenchServer::Bind(const std::string& host, int port, int* bound) {
  if (port == 0) {
    *bound = server_->bind_to_any_port(host.c_str());
  } else {
    *bound = server_->bind_to_port(host.c_str(), port) ? port : -1;
  }
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
  while (running_ && !server_->is_running()) std::this_thread::yield();
  server_->stop();
}

}  // namespace korvagraph
