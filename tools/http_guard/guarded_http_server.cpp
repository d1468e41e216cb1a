#include "tools/http_guard/guarded_http_server.h"

#include <malloc.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <utility>

#include "tools/http_guard/connection_stream.h"

namespace korvagraph {

namespace {

// Connections the kernel holds until they are accepted: a burst of clients
// is not turned away (the library's own queue holds five).
constexpr int kListenQueue = 512;
// An answer is taken whole within this.
constexpr std::chrono::seconds kAnswerTime{30};
// Bytes a request may hold: a URL up to the library's limit, headers and
// a small body.
constexpr size_t kRequestBytes = 64 * 1024;
// After an answer this large its buffers go back to the system: freed heap
// memory otherwise stays with the process, at the peak of the load.
constexpr size_t kTrimAfterBytes = 1024 * 1024;

// Set while a connection the queue turns away is closed on the accepting
// thread.
thread_local bool refusing = false;

// The library's pool of threads, with at most max_waiting connections
// waiting for one of them.
class ConnectionPool : public httplib::TaskQueue {
 public:
  ConnectionPool(size_t workers, size_t max_waiting)
      : pool_(workers), max_waiting_(max_waiting) {}

  void enqueue(std::function<void()> serve) override {
    if (waiting_ >= max_waiting_) {
      refusing = true;
      serve();
      refusing = false;
      return;
    }
    ++waiting_;
    pool_.enqueue([this, serve = std::move(serve)] {
      --waiting_;
      serve();
    });
  }
  void shutdown() override { pool_.shutdown(); }

 private:
  httplib::ThreadPool pool_;
  const size_t max_waiting_;
  std::atomic<size_t> waiting_{0};
};

std::chrono::milliseconds Duration(time_t seconds, time_t microseconds) {
  return std::chrono::milliseconds(seconds * 1000 + microseconds / 1000);
}

}  // namespace

// An open connection known to Shutdown for the life of the object; closes
// the socket at the end.
class GuardedHttpServer::Registration {
 public:
  Registration(GuardedHttpServer* server, socket_t sock)
      : server_(server), sock_(sock) {
    std::lock_guard<std::mutex> lock(server_->connections_mutex_);
    registered_ = !server_->stopping_ && !refusing;
    if (registered_) server_->connections_.insert(sock_);
  }
  // Forgotten before it is closed: Shutdown never cuts a descriptor that a
  // new connection may have taken over.
  ~Registration() {
    if (registered_) {
      std::lock_guard<std::mutex> lock(server_->connections_mutex_);
      server_->connections_.erase(sock_);
    }
    ::shutdown(sock_, SHUT_RDWR);
    ::close(sock_);
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

  bool registered() const { return registered_; }

 private:
  GuardedHttpServer* server_;
  const socket_t sock_;
  bool registered_ = false;
};

GuardedHttpServer::GuardedHttpServer(size_t workers, size_t max_waiting) {
  new_task_queue = [workers, max_waiting] {
    return new ConnectionPool(workers, max_waiting);
  };
}

int GuardedHttpServer::Bind(const std::string& host, int port) {
  const int bound = port == 0 ? bind_to_any_port(host)
                              : (bind_to_port(host, port) ? port : -1);
  if (bound > 0) ::listen(svr_sock_, kListenQueue);
  return bound;
}

void GuardedHttpServer::Shutdown() {
  stopping_ = true;
  stop();
  std::lock_guard<std::mutex> lock(connections_mutex_);
  for (const socket_t sock : connections_) ::shutdown(sock, SHUT_RDWR);
}

bool GuardedHttpServer::process_and_close_socket(socket_t sock) {
  const Registration registration(this, sock);
  if (!registration.registered()) return false;
  ConnectionLimits limits;
  limits.request = Duration(read_timeout_sec_, read_timeout_usec_);
  limits.stall = Duration(write_timeout_sec_, write_timeout_usec_);
  limits.answer = kAnswerTime;
  limits.request_bytes = kRequestBytes;
  ConnectionStream stream(sock, limits);
  const std::chrono::seconds idle(keep_alive_timeout_sec_);
  bool answered = false;
  for (size_t left = keep_alive_max_count_; left > 0 && !stopping_; --left) {
    if (!stream.AwaitRequest(idle) || !stream.BeginRequest()) break;
    bool closed = false;
    answered = process_request(stream, left == 1 || stopping_, closed, nullptr);
    if (stream.answer_bytes() >= kTrimAfterBytes) malloc_trim(0);
    if (!answered || closed || stream.broken()) break;
  }
  return answered;
}

}  // namespace korvagraph
