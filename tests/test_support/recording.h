// Helpers for tests that draw through the exports: a recording window and
// filters over its call log (format documented in platform/canvas_window.h).
#ifndef TESTS_TEST_SUPPORT_RECORDING_H_
#define TESTS_TEST_SUPPORT_RECORDING_H_

#include <string>
#include <vector>

#include "platform/canvas_window.h"
#include "platform/ledger.h"

namespace kgtest {

// Returns the lines of `log` that start with `prefix`.
inline std::vector<std::string> LinesStartingWith(
    const std::vector<std::string>& log, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& line : log) {
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  }
  return out;
}

// Returns a log line without its " | ..." parts: the call as given.
inline std::string CallOnly(const std::string& line) {
  const size_t bar = line.find(" | ");
  return bar == std::string::npos ? line : line.substr(0, bar);
}

// Returns the calls of `log` (CallOnly) that start with `prefix`.
inline std::vector<std::string> CallsStartingWith(
    const std::vector<std::string>& log, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& line : LinesStartingWith(log, prefix)) {
    out.push_back(CallOnly(line));
  }
  return out;
}

// Returns the texts of the TextOut calls of `log`, in order.
inline std::vector<std::string> TextsDrawn(
    const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const std::string& line : LinesStartingWith(log, "TextOut ")) {
    const size_t open = line.find('"');
    const size_t close = line.find('"', open + 1);
    if (open != std::string::npos && close != std::string::npos) {
      out.push_back(line.substr(open + 1, close - open - 1));
    }
  }
  return out;
}

// A window that records from construction; the ledger at construction lets a
// test check that nothing the chart took is still held.
class RecordingWindow {
 public:
  RecordingWindow(int width, int height)
      : window_(width, height), ledger_(CurrentGdiLedger()) {
    window_.StartRecording();
  }
  CanvasWindow& window() { return window_; }
  CWnd* Wnd() { return window_.Wnd(); }
  std::vector<std::string> Take() { return window_.TakeRecording(); }
  bool LedgerBalanced() const { return CurrentGdiLedger() == ledger_; }

 private:
  CanvasWindow window_;
  GdiLedger ledger_;
};

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_RECORDING_H_
