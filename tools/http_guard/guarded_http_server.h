// GuardedHttpServer: the HTTP library's server, with every connection held
// to limits that slow and hostile clients cannot stretch (ConnectionStream),
// a fixed pool of workers whose queue of waiting connections is bounded, and
// a stop that cuts every open connection, so that serving ends promptly
// whatever the clients do.
//
// The library's settings keep their names with these meanings: the read
// timeout bounds a whole request from its first byte (not each read), the
// write timeout a stall while a client takes an answer, the keep-alive
// timeout the wait for a connection's next request and the keep-alive
// count the requests one connection carries.
#ifndef TOOLS_HTTP_GUARD_GUARDED_HTTP_SERVER_H_
#define TOOLS_HTTP_GUARD_GUARDED_HTTP_SERVER_H_

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>

namespace korvagraph {

class GuardedHttpServer : public httplib::Server {
 public:
  // workers: threads that serve connections; max_waiting: connections
  // queued for a worker at most, beyond which a new one is closed at once.
  GuardedHttpServer(size_t workers, size_t max_waiting);

  // Binds host:port, any free port when port is 0, with a listen queue that
  // holds a burst of connections; returns the port bound, or -1.
  int Bind(const std::string& host, int port);
  // Stops accepting, cuts every open connection and closes the queued ones
  // unanswered; safe from any thread.
  void Shutdown();
  bool stopping() const { return stopping_; }

 private:
  class Registration;

  bool process_and_close_socket(socket_t sock) override;

  std::atomic<bool> stopping_{false};
  std::mutex connections_mutex_;
  std::set<socket_t> connections_;
};

}  // namespace korvagraph

#endif  // TOOLS_HTTP_GUARD_GUARDED_HTTP_SERVER_H_
