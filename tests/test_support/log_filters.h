// Filters over a recording window's call log by the objects a call used
// (the " | pen ..." and " | brush ..." parts of a line).
#ifndef TESTS_TEST_SUPPORT_LOG_FILTERS_H_
#define TESTS_TEST_SUPPORT_LOG_FILTERS_H_

#include <string>
#include <vector>

#include "test_support/recording.h"

namespace kgtest {

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

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_LOG_FILTERS_H_
