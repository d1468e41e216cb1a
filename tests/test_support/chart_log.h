// Call-log expectations for chart tests: the line of a circle marker and the
// calls drawn with a given pen (line format in platform/canvas_window.h).
#ifndef TESTS_TEST_SUPPORT_CHART_LOG_H_
#define TESTS_TEST_SUPPORT_CHART_LOG_H_

#include <string>
#include <vector>

#include "test_support/recording.h"

namespace kgtest {

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

// Returns the calls (CallOnly) of `log` that start with `prefix` and were
// drawn with `pen`, e.g. "pen dot 1 B4B4B4".
inline std::vector<std::string> CallsWithPen(
    const std::vector<std::string>& log, const std::string& prefix,
    const std::string& pen) {
  std::vector<std::string> out;
  const std::string part = " | " + pen;
  for (const std::string& line : LinesStartingWith(log, prefix)) {
    const size_t at = line.find(part);
    if (at == std::string::npos) continue;
    const size_t after = at + part.size();
    if (after == line.size() || line.compare(after, 3, " | ") == 0) {
      out.push_back(CallOnly(line));
    }
  }
  return out;
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_CHART_LOG_H_
