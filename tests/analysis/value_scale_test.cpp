#include <gtest/gtest.h>

#include <vector>

#include "korvagraph/analysis/statistics.h"

namespace korvagraph::analysis {
namespace {

// Spans the chart library cannot draw, and magnitudes whose squares
// overflow, are drawn divided by a power of ten; ordinary data is not.
TEST(ValueScaleTest, PowerOfTenForWhatTheChartsCannotDraw) {
  struct Row {
    const char* name;
    std::vector<double> values;
    int exponent;
  } rows[] = {
      {"ordinary", {3.04, 113.2}, 0},
      {"constant", {5, 5}, 0},
      {"span 1e-6 to 9e-6", {1e-6, 9e-6}, -6},
      {"tiny span far from zero", {1000, 1000.000002}, -6},
      {"constant and tiny", {2e-7, 2e-7}, -7},
      {"1e154", {1e154, 3e154}, 154},
      {"overflowing span", {-1e308, 1e308}, 300},  // exponents stop at 300
      {"below resolution", {1000, 1000 + 1e-10}, 0},
  };
  for (const Row& row : rows) {
    const ValueScale scale = ScaleFor(row.values);
    EXPECT_EQ(scale.exponent, row.exponent) << row.name;
    const std::vector<double> scaled = scale.Scaled(row.values);
    for (size_t i = 0; i < scaled.size(); ++i) {
      EXPECT_DOUBLE_EQ(scale.Unscaled(scaled[i]), row.values[i]) << row.name;
    }
  }
  EXPECT_EQ(ScaleFor({1e-6, 9e-6}).Named("Cu"), "Cu / 1e-6");
  EXPECT_EQ(ScaleFor({1, 9}).Named("Cu"), "Cu");
}

}  // namespace
}  // namespace korvagraph::analysis
