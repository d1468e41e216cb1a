// Helpers for tests that draw through the exports: a recording window, a
// check that an export gives back every drawing object it took, and one draw
// into a fresh window.
#ifndef TESTS_TEST_SUPPORT_RECORDING_H_
#define TESTS_TEST_SUPPORT_RECORDING_H_

#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "platform/ledger.h"
#include "test_support/call_log.h"

namespace kgtest {

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

// Runs one export and expects the live pens, brushes, fonts and device
// contexts to be the same afterwards; returns the export's status.
template <typename Call>
LONG Balanced(Call&& call, const std::string& what = "") {
  const GdiLedger before = CurrentGdiLedger();
  const LONG status = std::forward<Call>(call)();
  const GdiLedger after = CurrentGdiLedger();
  EXPECT_TRUE(before == after)
      << what << ": pens " << before.pens << " -> " << after.pens
      << ", brushes " << before.brushes << " -> " << after.brushes << ", fonts "
      << before.fonts << " -> " << after.fonts << ", device contexts "
      << before.device_contexts << " -> " << after.device_contexts;
  return status;
}

// The call log of one draw export into a new width x height window; expects
// status 1 and a balanced ledger.
inline std::vector<std::string> DrawAndLog(LONG (*draw)(CKorvaGraph*, CWnd*),
                                           CKorvaGraph* graph, int width,
                                           int height) {
  RecordingWindow window(width, height);
  EXPECT_EQ(draw(graph, window.Wnd()), 1);
  EXPECT_TRUE(window.LedgerBalanced());
  return window.Take();
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_RECORDING_H_
