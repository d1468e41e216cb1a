#include "tools/http_guard/connection_stream.h"

#include <netdb.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvagraph {

namespace {

// Bytes received at a time.
constexpr size_t kChunk = 16 * 1024;

// Writes the numeric address and port of fd's peer (or its own end).
void AddressOf(int fd, bool peer, std::string& ip, int& port) {
  sockaddr_storage address{};
  socklen_t length = sizeof(address);
  sockaddr* raw = reinterpret_cast<sockaddr*>(&address);
  const int got =
      peer ? getpeername(fd, raw, &length) : getsockname(fd, raw, &length);
  char host[NI_MAXHOST];
  char service[NI_MAXSERV];
  if (got == 0 &&
      getnameinfo(raw, length, host, sizeof(host), service, sizeof(service),
                  NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
    ip = host;
    port = std::atoi(service);
  }
}

bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

}  // namespace

ConnectionStream::ConnectionStream(int fd, const ConnectionLimits& limits)
    : fd_(fd), limits_(limits) {}

bool ConnectionStream::Wait(short events, Clock::time_point deadline) const {
  for (;;) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd entry{fd_, events, 0};
    const int ready =
        poll(&entry, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
    if (ready > 0) return true;  // errors too: the next call reports them
    if (ready == 0 || errno != EINTR) return false;
  }
}

ssize_t ConnectionStream::Fill(Clock::time_point deadline) {
  if (broken_) return -1;
  if (consumed_ == buffer_.size()) {
    buffer_.clear();
    consumed_ = 0;
  } else if (consumed_ >= kChunk) {
    buffer_.erase(0, consumed_);
    consumed_ = 0;
  }
  const size_t want = std::min(kChunk, read_budget_);
  const size_t start = buffer_.size();
  ssize_t received = -1;
  buffer_.resize(start + want);
  while (want > 0 && Wait(POLLIN, deadline)) {
    received = recv(fd_, buffer_.data() + start, want, MSG_DONTWAIT);
    if (received >= 0 || !WouldBlock()) break;
  }
  buffer_.resize(start + static_cast<size_t>(std::max<ssize_t>(received, 0)));
  if (received <= 0) {
    broken_ = true;
    return received == 0 ? 0 : -1;
  }
  read_budget_ -= static_cast<size_t>(received);
  return received;
}

bool ConnectionStream::AwaitRequest(std::chrono::milliseconds idle) {
  read_budget_ = limits_.request_bytes;
  return pending() > 0 || Fill(Clock::now() + idle) > 0;
}

size_t ConnectionStream::HeadEnd() const {
  // The head ends at the first empty line after the request line.
  const size_t request_line = buffer_.find('\n', consumed_);
  if (request_line == std::string::npos) return std::string::npos;
  const size_t blank = buffer_.find("\n\r\n", request_line);
  return blank == std::string::npos ? blank : blank + 3;
}

void ConnectionStream::DropRangeLines(size_t head_end) {
  static constexpr char kRange[] = "range:";
  const size_t name = sizeof(kRange) - 1;
  size_t line = buffer_.find('\n', consumed_) + 1;
  while (line < head_end) {
    const size_t next = buffer_.find('\n', line) + 1;
    if (next - line > name &&
        strncasecmp(buffer_.data() + line, kRange, name) == 0) {
      buffer_.erase(line, next - line);
      head_end -= next - line;
    } else {
      line = next;
    }
  }
}

bool ConnectionStream::BeginRequest() {
  read_deadline_ = Clock::now() + limits_.request;
  answer_bytes_ = 0;
  answer_deadline_ = Clock::time_point::max();
  for (;;) {
    const size_t head_end = HeadEnd();
    if (head_end != std::string::npos) {
      DropRangeLines(head_end);
      return true;
    }
    if (pending() >= limits_.request_bytes / 2) return true;
    if (Fill(read_deadline_) <= 0) return false;
  }
}

bool ConnectionStream::is_readable() const {
  return pending() > 0 || Wait(POLLIN, read_deadline_);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
  if (pending() == 0) {
    const ssize_t received = Fill(read_deadline_);
    if (received <= 0) return received;
  }
  const size_t count = std::min(size, pending());
  std::memcpy(ptr, buffer_.data() + consumed_, count);
  consumed_ += count;
  return static_cast<ssize_t>(count);
}

ConnectionStream::Clock::time_point ConnectionStream::WriteDeadline() const {
  return std::min(Clock::now() + limits_.stall, answer_deadline_);
}

bool ConnectionStream::is_writable() const {
  return Wait(POLLOUT, WriteDeadline());
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
  if (answer_deadline_ == Clock::time_point::max()) {
    answer_deadline_ = Clock::now() + limits_.answer;
  }
  answer_bytes_ += size;
  size_t sent = 0;
  while (sent < size) {
    const ssize_t count =
        send(fd_, ptr + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (count > 0) {
      sent += static_cast<size_t>(count);
    } else if (count < 0 && WouldBlock() && Wait(POLLOUT, WriteDeadline())) {
      continue;
    } else {
      broken_ = true;
      return -1;
    }
  }
  return static_cast<ssize_t>(size);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip,
                                              int& port) const {
  AddressOf(fd_, /*peer=*/true, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
  AddressOf(fd_, /*peer=*/false, ip, port);
}

}  // namespace korvagraph
