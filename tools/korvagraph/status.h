// Status: the outcome of a step that can fail because of what a user gave it
// (a file, a column, an option). A failed status carries one line of text
// that names the file and line where that makes sense (a list may follow on
// further lines); whatever it echoes of the user's bytes is escaped (see
// Printable), so it is safe to print.
#ifndef TOOLS_KORVAGRAPH_STATUS_H_
#define TOOLS_KORVAGRAPH_STATUS_H_

#include <string>
#include <utility>

#include "tools/korvagraph/printable.h"

class Status {
 public:
  Status() = default;  // success

  static Status Ok() { return Status(); }
  static Status Error(std::string message) {
    Status status;
    status.failed_ = true;
    status.message_ = Printable(message, /*keep_line_feeds=*/true);
    return status;
  }
  // Returns "FILE:LINE: message", the form an editor can jump to.
  static Status AtLine(const std::string& file, int line,
                       const std::string& message) {
    return Error(file + ":" + std::to_string(line) + ": " + message);
  }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  bool failed_ = false;
  std::string message_;
};

#endif  // TOOLS_KORVAGRAPH_STATUS_H_
