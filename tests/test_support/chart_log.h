// Checks for chart tests that go through the exports: a draw into a fresh
// recording window and the expected line of a circle marker (log format in
// platform/canvas_window.h; more log filters in variogram_host.h).
#ifndef TESTS_TEST_SUPPORT_CHART_LOG_H_
#define TESTS_TEST_SUPPORT_CHART_LOG_H_

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "include/KorvaGraphLib.h"
#include "test_support/recording.h"

namespace kgtest {

// The call log of one draw export into a new width x height window; expects
// status 1 and a balanced ledger.
inline std::vector<std::string> DrawAndLog(
    LONG (*draw)(CKorvaGraph*, CWnd*), CKorvaGraph* graph, int width,
    int height) {
  RecordingWindow window(width, height);
  EXPECT_EQ(draw(graph, window.Wnd()), 1);
  EXPECT_TRUE(window.LedgerBalanced());
  return window.Take();
}

// Returns the Ellipse line of a circle of `radius` around the plot pixel
// (sx, sy), with the viewport at (left, top), outlined in `outline` (six hex
// digits, 0xBBGGRR) and filled with the window's white brush.
inline std::string CircleMarkerLine(int sx, int sy, int left, int top,
                                    int radius, const std::string& outline) {
  auto box = [radius](int x, int y) {
    return std::to_string(x - radius) + " " + std::to_string(y - radius) +
           " " + std::to_string(x + radius) + " " +
           std::to_string(y + radius);
  };
  return "Ellipse " + box(sx, sy) + " | dev " + box(sx + left, sy + top) +
         " | pen solid 1 " + outline + " | brush FFFFFF";
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_CHART_LOG_H_
