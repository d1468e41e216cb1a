// ConnectionStream: one client connection as the HTTP library reads and
// writes it, with limits that a slow or hostile client cannot stretch: a
// request must arrive whole within a time from its first byte, an answer
// must be taken within a time, and a request may hold only so many bytes.
// Bytes read past a request stay buffered for the next one, so pipelined
// requests are answered in order.
#ifndef TOOLS_HTTP_GUARD_CONNECTION_STREAM_H_
#define TOOLS_HTTP_GUARD_CONNECTION_STREAM_H_

#include <httplib.h>

#include <chrono>
#include <string>

namespace korvagraph {

struct ConnectionLimits {
  // A request's head and body arrive within this from its first byte.
  std::chrono::milliseconds request{2000};
  // Writing waits at most this long for the client to take more bytes.
  std::chrono::milliseconds stall{2000};
  // A whole answer is taken within this.
  std::chrono::milliseconds answer{30000};
  // Bytes a request may hold, head and body.
  size_t request_bytes = 64 * 1024;
};

class ConnectionStream : public httplib::Stream {
 public:
  using Clock = std::chrono::steady_clock;

  // fd: a connected socket, not owned.
  ConnectionStream(int fd, const ConnectionLimits& limits);

  // Waits up to idle for the first byte of a next request; false when none
  // comes, the client closed or the connection was cut.
  bool AwaitRequest(std::chrono::milliseconds idle);
  // Starts the request whose first byte has come: reads its head within
  // the request limit and drops its Range lines (every answer is whole).
  // False when the head does not come in time; a head over the byte limit
  // is left for the library to refuse.
  bool BeginRequest();
  // True once a read or write failed: the connection carries no further
  // request.
  bool broken() const { return broken_; }
  // Bytes of answer handed to write since the request began.
  size_t answer_bytes() const { return answer_bytes_; }

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return fd_; }

 private:
  // Receives more bytes into the buffer, waiting until deadline; returns
  // their count, 0 when the client closed, -1 on a timeout or failure.
  ssize_t Fill(Clock::time_point deadline);
  // Waits until the socket has events or deadline passes.
  bool Wait(short events, Clock::time_point deadline) const;
  // Where the head that starts the pending bytes ends, or npos.
  size_t HeadEnd() const;
  void DropRangeLines(size_t head_end);
  size_t pending() const { return buffer_.size() - consumed_; }
  Clock::time_point WriteDeadline() const;

  const int fd_;
  const ConnectionLimits limits_;
  std::string buffer_;
  size_t consumed_ = 0;
  Clock::time_point read_deadline_;
  size_t read_budget_ = 0;
  Clock::time_point answer_deadline_;
  size_t answer_bytes_ = 0;
  bool broken_ = false;
};

}  // namespace korvagraph

#endif  // TOOLS_HTTP_GUARD_CONNECTION_STREAM_H_
