#include "siblings/tallyx/tallyx.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct MomentCase {
  const char* name;
  std::vector<double> values;
  double mean, deviation, variation, kurtosis, skewness;
};

const MomentCase kMomentCases[] = {
    // 2 4 4 4 5 5 7 9: mean 5; deviations -3 -1 -1 -1 0 0 2 4; sums of
    // squares 32, cubes 42, fourth powers 356; m2 4, m3 5.25, m4 44.5.
    // Deviation 2, variation 2 / 5, skewness 5.25 / 8, kurtosis
    // 44.5 / 16 - 3.
    {"textbook", {2, 4, 4, 4, 5, 5, 7, 9}, 5, 2, 0.4, -0.21875, 0.65625},
    // 1 2 3 10: mean 4; deviations -3 -2 -1 6; squares 50, cubes 180,
    // fourth powers 1394; m2 12.5, m3 45, m4 348.5.
    {"skewed", {1, 2, 3, 10}, 4, std::sqrt(12.5), std::sqrt(12.5) / 4,
     348.5 / 156.25 - 3, 45 / std::pow(12.5, 1.5)},
    // Mean 0: the coefficient of variation is 0 by definition.
    {"zero mean", {-1, 1}, 0, 1, 0, -2, 0},
    {"constant", {0.1, 0.1, 0.1}, 0.1, 0, 0, 0, 0},
    {"one value", {7}, 7, 0, 0, 0, 0},
    {"no values", {}, 0, 0, 0, 0, 0},
};

TEST(TallyxTest, MomentsAgainstHandComputedValues) {
  for (const MomentCase& row : kMomentCases) {
    std::vector<double> values = row.values;
    CTallyx tally(values.data(), static_cast<LONG>(values.size()));
    EXPECT_NEAR(tally.SimpleArithAverNum(), row.mean, 1e-15) << row.name;
    EXPECT_NEAR(tally.StandDifNum(), row.deviation, 1e-15) << row.name;
    EXPECT_NEAR(tally.AlterDifCoe(), row.variation, 1e-15) << row.name;
    EXPECT_NEAR(tally.ApexDegree(), row.kurtosis, 1e-14) << row.name;
    EXPECT_NEAR(tally.DeflectDegree(), row.skewness, 1e-14) << row.name;
  }
}

TEST(TallyxTest, NullArrayAndNegativeCountGiveZeros) {
  CTallyx null_values(nullptr, 5);
  EXPECT_EQ(null_values.SimpleArithAverNum(), 0.0);
  double values[2] = {1, 2};
  CTallyx negative(values, -2);
  EXPECT_EQ(negative.StandDifNum(), 0.0);
  EXPECT_EQ(negative.ApexDegree(), 0.0);
}

TEST(TallyxTest, NanPropagates) {
  double values[3] = {1, std::nan(""), 3};
  CTallyx tally(values, 3);
  EXPECT_TRUE(std::isnan(tally.SimpleArithAverNum()));
  EXPECT_TRUE(std::isnan(tally.DeflectDegree()));
}

}  // namespace
