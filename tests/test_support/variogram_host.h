// Helpers for the variogram chart tests: host records, a check that an export
// gives back every drawing object it took, and filters over the call log.
#ifndef TESTS_TEST_SUPPORT_VARIOGRAM_HOST_H_
#define TESTS_TEST_SUPPORT_VARIOGRAM_HOST_H_

#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "include/KorvaGraphLib.h"
#include "platform/ledger.h"
#include "test_support/recording.h"

namespace kgtest {

// One experimental-variogram entry as a host fills it.
inline Variogram VariogramEntry(double lag, double gamma, LONG pairs) {
  Variogram entry{};
  entry.h = lag;
  entry.gamma = gamma;
  entry.npairs = pairs;
  return entry;
}

// One model-curve record as the model computation fills it.
inline ModIndVrg ModelRecord(double lag, double value) {
  ModIndVrg record{};
  record.h = lag;
  record.value = value;
  return record;
}

// Runs one export and expects the live pens, brushes, fonts and device
// contexts to be the same afterwards; returns the export's status.
template <typename Call>
LONG Balanced(Call&& call, const std::string& what = "") {
  const GdiLedger before = CurrentGdiLedger();
  const LONG status = std::forward<Call>(call)();
  const GdiLedger after = CurrentGdiLedger();
  EXPECT_TRUE(before == after)
      << what << ": pens " << before.pens << " -> " << after.pens
      << ", brushes " << before.brushes << " -> " << after.brushes
      << ", fonts " << before.fonts << " -> " << after.fonts
      << ", device contexts " << before.device_contexts << " -> "
      << after.device_contexts;
  return status;
}

// The calls (CallOnly) of `log` starting with `prefix` whose line names
// `pen`, e.g. "pen solid 1 FF0000".
inline std::vector<std::string> CallsWithPen(
    const std::vector<std::string>& log, const std::string& prefix,
    const std::string& pen) {
  std::vector<std::string> out;
  for (const std::string& line : LinesStartingWith(log, prefix)) {
    if (line.find("| " + pen) != std::string::npos) {
      out.push_back(CallOnly(line));
    }
  }
  return out;
}

// The TextOut calls of `log` without their trailing parts, in order.
inline std::vector<std::string> TextCalls(
    const std::vector<std::string>& log) {
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

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_VARIOGRAM_HOST_H_
