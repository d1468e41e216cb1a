// What the variogram tests share: scattered samples with pairs on lag and
// angle edges, and the comparison of two sets of rows.
#ifndef TESTS_ANALYSIS_VARIOGRAM_ROWS_H_
#define TESTS_ANALYSIS_VARIOGRAM_ROWS_H_

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {

// Returns count samples on a side x side square, coordinates rounded to
// tenths (so that pairs fall exactly on lag and angle edges, and some share
// a place), values uniform in [0, 100).
inline Samples Scattered(int count, double side, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Samples samples;
  for (int i = 0; i < count; ++i) {
    const double x = std::round(side * unit(random) * 10.0) / 10.0;
    const double y = std::round(side * unit(random) * 10.0) / 10.0;
    samples.Append(x, y, 0.0, 100.0 * unit(random), std::nan(""), i);
  }
  return samples;
}

// Expects the same pair counts, and distances and semivariances within
// 1e-12 relative.
inline void ExpectRowsNear(const std::vector<VariogramRow>& got,
                           const std::vector<VariogramRow>& want,
                           const std::string& name) {
  ASSERT_EQ(got.size(), want.size()) << name;
  for (size_t d = 0; d < want.size(); ++d) {
    ASSERT_EQ(got[d].size(), want[d].size()) << name;
    for (size_t e = 0; e < want[d].size(); ++e) {
      const Variogram& a = got[d][e];
      const Variogram& b = want[d][e];
      EXPECT_EQ(a.npairs, b.npairs) << name << " dir " << d << " e " << e;
      EXPECT_NEAR(a.gamma, b.gamma, 1e-12 * b.gamma)
          << name << " dir " << d << " e " << e;
      EXPECT_NEAR(a.h, b.h, 1e-12 * b.h) << name << " dir " << d << " e " << e;
    }
  }
}

}  // namespace korvagraph::analysis

#endif  // TESTS_ANALYSIS_VARIOGRAM_ROWS_H_
