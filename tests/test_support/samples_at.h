// Samples made for a test of the analysis library: one {x, y, value} triple
// each, no z and no second value.
#ifndef TESTS_TEST_SUPPORT_SAMPLES_AT_H_
#define TESTS_TEST_SUPPORT_SAMPLES_AT_H_

#include <cmath>
#include <cstdint>
#include <vector>

#include "korvagraph/analysis/samples.h"

namespace kgtest {

inline korvagraph::analysis::Samples SamplesAt(
    const std::vector<std::vector<double>>& xyv) {
  korvagraph::analysis::Samples samples;
  for (size_t i = 0; i < xyv.size(); ++i) {
    samples.Append(xyv[i][0], xyv[i][1], 0.0, xyv[i][2], std::nan(""),
                   static_cast<int64_t>(i));
  }
  return samples;
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_SAMPLES_AT_H_
