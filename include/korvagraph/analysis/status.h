// Status: the outcome of a step that can fail because of what a user gave
// it (a file, a column, a setting), as a plain value. A failure holds a
// message and, where one is concerned, the file and line. The texts are the
// user's bytes as they came: whoever prints a status escapes it for the
// place it goes (a terminal, a web page, a JSON document).
#ifndef KORVAGRAPH_ANALYSIS_STATUS_H_
#define KORVAGRAPH_ANALYSIS_STATUS_H_

#include <string>
#include <utility>

namespace korvagraph::analysis {

struct Error {
  std::string message;
  std::string file;  // empty when no file is concerned
  int line = 0;      // 1-based; 0 when no line is concerned
};

class Status {
 public:
  Status() = default;  // success

  static Status Ok() { return Status(); }
  static Status Failure(std::string message) {
    return Status(Error{std::move(message), "", 0});
  }
  static Status InFile(std::string file, std::string message) {
    return Status(Error{std::move(message), std::move(file), 0});
  }
  static Status AtLine(std::string file, int line, std::string message) {
    return Status(Error{std::move(message), std::move(file), line});
  }
  // A computation stopped because its progress callback asked it to.
  static Status Cancelled() {
    Status status = Failure("cancelled");
    status.cancelled_ = true;
    return status;
  }

  bool ok() const { return !failed_; }
  bool cancelled() const { return cancelled_; }
  const Error& error() const { return error_; }
  // Returns "FILE:LINE: message" (the form an editor jumps to),
  // "FILE: message" or the message alone; empty for success.
  std::string ToString() const;

 private:
  explicit Status(Error error) : failed_(true), error_(std::move(error)) {}

  bool failed_ = false;
  bool cancelled_ = false;
  Error error_;
};

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_STATUS_H_
