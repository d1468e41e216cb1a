#include "tools/korvagraph/serve/workbench_server.h"

#include <httplib.h>

#include <exception>
#include <utility>

#include "tools/korvagraph/serve/query_params.h"
#include "tools/korvagraph/serve/workbench_page.h"

namespace {

// Requests carry everything in the query: no body is read.
constexpr size_t kMaxBody = 1024;
constexpr int kMaxCoordinate = 100000;

void Send(const Reply& reply, httplib::Response* response) {
  response->status = reply.status;
  response->set_header("Cache-Control", "no-store");
  response->set_content(reply.body, reply.content_type.c_str());
}

// Reads the workbench request of request and passes it to answer, or
// sends the 400 that its parameters deserve.
template <typename Answer>
void Serve(const httplib::Request& request, const Options& options,
           httplib::Response* response, Answer answer) {
  QueryParams params(request.params);
  WorkbenchRequest parsed;
  const Status status = ReadWorkbenchRequest(&params, options, &parsed);
  if (!status.ok()) {
    Send(Reply::BadRequest(status.message()), response);
    return;
  }
  Send(answer(&params, parsed), response);
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
  server.set_exception_handler([](const httplib::Request&,
                                  httplib::Response& response,
                                  std::exception_ptr) {
    Send(Reply{500, "text/plain", "internal error"}, &response);
  });
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(WorkbenchPage(), "text/html; charset=utf-8");
  });
  server.Get(R"(/chart/([^/]+)\.png)", [this](const httplib::Request& request,
                                              httplib::Response& response) {
    const std::string name = request.matches[1];
    Serve(request, options_, &response,
          [&](QueryParams*, const WorkbenchRequest& parsed) {
            return workbench_->Chart(name, parsed);
          });
  });
  server.Get("/api/info", [this](const httplib::Request& request,
                                 httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams*, const WorkbenchRequest& parsed) {
            return workbench_->Info(parsed);
          });
  });
  server.Get("/api/points", [this](const httplib::Request& request,
                                   httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams*, const WorkbenchRequest& parsed) {
            return workbench_->Points(parsed);
          });
  });
  server.Get("/api/pick", [this](const httplib::Request& request,
                                 httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams* params, const WorkbenchRequest& parsed) {
            if (!params->Has("x") || !params->Has("y")) {
              return Reply::BadRequest("x, y: expected the click's pixel");
            }
            const int x = params->Integer("x", 0, 0, kMaxCoordinate);
            const int y = params->Integer("y", 0, 0, kMaxCoordinate);
            if (!params->status().ok()) {
              return Reply::BadRequest(params->status().message());
            }
            return workbench_->Pick(parsed, x, y);
          });
  });
  server.Get("/api/box", [this](const httplib::Request& request,
                                httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams* params, const WorkbenchRequest& parsed) {
            const std::vector<double> corners =
                params->Numbers("px", {}, 4, 0, kMaxCoordinate);
            if (!params->status().ok()) {
              return Reply::BadRequest(params->status().message());
            }
            if (corners.size() != 4) {
              return Reply::BadRequest(
                  "px: expected the box's corners in pixels: x0,y0,x1,y1");
            }
            const PixelBox box{
                static_cast<int>(corners[0]), static_cast<int>(corners[1]),
                static_cast<int>(corners[2]), static_cast<int>(corners[3])};
            return workbench_->SelectBox(parsed, box);
          });
  });
  server.Get("/api/fit", [this](const httplib::Request& request,
                                httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams*, const WorkbenchRequest& parsed) {
            return workbench_->Fit(parsed);
          });
  });
  server.Get("/api/model", [this](const httplib::Request& request,
                                  httplib::Response& response) {
    Serve(request, options_, &response,
          [&](QueryParams* params, const WorkbenchRequest& parsed) {
            const std::string format =
                params->Choice("format", "json", {"json", "gslib"});
            if (!params->status().ok()) {
              return Reply::BadRequest(params->status().message());
            }
            return workbench_->ModelText(parsed, format);
          });
  });
}

Status WorkbenchServer::Bind(const std::string& host, int port, int* bound) {
  if (port == 0) {
    *bound = server_->bind_to_any_port(host.c_str());
  } else {
    *bound = server_->bind_to_port(host.c_str(), port) ? port : -1;
  }
  if (*bound <= 0) {
    return Status::Error("cannot listen on " + host + ":" +
                         std::to_string(port) +
                         " (in use, or not an address of this machine)");
  }
  return Status::Ok();
}

bool WorkbenchServer::Run() { return server_->listen_after_bind(); }

void WorkbenchServer::Stop() { server_->stop(); }
