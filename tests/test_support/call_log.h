// Filters over a recording window's call log (one line per drawing call, in
// the format documented in platform/canvas_window.h) and the expected lines
// of the library's marks.
#ifndef TESTS_TEST_SUPPORT_CALL_LOG_H_
#define TESTS_TEST_SUPPORT_CALL_LOG_H_

#include <string>
#include <vector>

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

// Returns the calls (CallOnly) of `log` that start with `prefix` and whose
// line carries `detail` as one whole " | " part, e.g. "brush C85050".
inline std::vector<std::string> CallsDrawnWith(
    const std::vector<std::string>& log, const std::string& prefix,
    const std::string& detail) {
  std::vector<std::string> out;
  const std::string part = " | " + detail;
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

// The TextOut calls of `log` without their trailing parts, in order.
inline std::vector<std::string> TextCalls(const std::vector<std::string>& log) {
  return CallsStartingWith(log, "TextOut ");
}

// The lines of `log` between the n-th "GetDC" (from 0) and its "ReleaseDC",
// both included: one drawing pass.
inline std::vector<std::string> Pass(const std::vector<std::string>& log,
                                     int n) {
  std::vector<std::string> out;
  int seen = -1;
  bool inside = false;
  for (const std::string& line : log) {
    if (line == "GetDC") {
      ++seen;
      inside = seen == n;
    }
    if (inside) out.push_back(line);
    if (inside && line == "ReleaseDC") break;
  }
  return out;
}

// The four calls (CallOnly form) of a cross centred on pixel (sx, sy).
inline std::vector<std::string> CrossCalls(int sx, int sy) {
  auto at = [](const char* call, int x, int y) {
    return std::string(call) + " " + std::to_string(x) + " " +
           std::to_string(y);
  };
  return {at("MoveTo", sx + 3, sy - 3), at("LineTo", sx - 4, sy + 4),
          at("MoveTo", sx - 3, sy - 3), at("LineTo", sx + 4, sy + 4)};
}

// The MoveTo and LineTo calls (CallOnly form) of `log`, in order.
inline std::vector<std::string> Strokes(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const std::string& line : log) {
    if (line.compare(0, 7, "MoveTo ") == 0 ||
        line.compare(0, 7, "LineTo ") == 0) {
      out.push_back(CallOnly(line));
    }
  }
  return out;
}

// The repaint a full draw does when it has nothing to draw. A reference to
// one shared log, so that assertions compare without a temporary.
inline const std::vector<std::string>& RepaintOnly() {
  static const std::vector<std::string>* const kRepaint =
      new std::vector<std::string>{"InvalidateRect erase=1", "UpdateWindow"};
  return *kRepaint;
}

// Returns the Ellipse line of a circle of `radius` around the plot pixel
// (sx, sy), with the viewport at (left, top), outlined in `outline` (six hex
// digits, 0xBBGGRR) and filled with the window's white brush.
inline std::string CircleMarkerLine(int sx, int sy, int left, int top,
                                    int radius, const std::string& outline) {
  auto box = [radius](int x, int y) {
    return std::to_string(x - radius) + " " + std::to_string(y - radius) + " " +
           std::to_string(x + radius) + " " + std::to_string(y + radius);
  };
  return "Ellipse " + box(sx, sy) + " | dev " + box(sx + left, sy + top) +
         " | pen solid 1 " + outline + " | brush FFFFFF";
}

// Returns the frame of a draw: its one Rectangle call with the device
// position ("Rectangle l t r b | dev ..."), or "" unless there is exactly one.
inline std::string FrameRectangle(const std::vector<std::string>& log) {
  const std::vector<std::string> frames = LinesStartingWith(log, "Rectangle ");
  if (frames.size() != 1) return std::string();
  const size_t pen = frames[0].find(" | ", frames[0].find(" | dev ") + 1);
  return frames[0].substr(0, pen);
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_CALL_LOG_H_
