#include "tools/korvagraph/host_stats.h"

#include <gtest/gtest.h>

namespace {

TEST(HostStatsTest, WindowSpansTheValues) {
  const DataWindow w = WindowOf({3.0, -1.5, 8.0, 2.0});
  EXPECT_EQ(w.minimum, -1.5);
  EXPECT_EQ(w.maximum, 8.0);
  const DataWindow both = WindowOf({1.0, 2.0}, {-4.0, 1.5});
  EXPECT_EQ(both.minimum, -4.0);
  EXPECT_EQ(both.maximum, 2.0);
  const DataWindow none = WindowOf({});
  EXPECT_EQ(none.minimum, 0.0);
  EXPECT_EQ(none.maximum, 0.0);
}

TEST(HostStatsTest, ClassCountFollowsTheSquareRootWithinBounds) {
  const struct {
    int count;
    int classes;
  } cases[] = {{0, 5},    {1, 5},     {24, 5},      {36, 6},
               {300, 17}, {1600, 40}, {1000000, 40}};
  for (const auto& c : cases) {
    EXPECT_EQ(HistogramClassCount(c.count), c.classes) << c.count;
  }
}

TEST(HostStatsTest, MomentsUseDivisorN) {
  EXPECT_DOUBLE_EQ(Mean({1, 2, 3, 4}), 2.5);
  EXPECT_DOUBLE_EQ(Variance({1, 2, 3, 4}), 1.25);
  EXPECT_EQ(Variance({}), 0.0);
}

TEST(HostStatsTest, LeastSquaresLine) {
  // y = 2x + 1 exactly.
  FitLine exact = LeastSquaresLine({0, 1, 2, 3}, {1, 3, 5, 7});
  EXPECT_DOUBLE_EQ(exact.slope, 2.0);
  EXPECT_DOUBLE_EQ(exact.intercept, 1.0);
  EXPECT_DOUBLE_EQ(exact.correlation, 1.0);
  // By hand: mean x 2, mean y 2, sxy = 3, sxx = 8 (x 0,1,3,4; y 1,3,1,3).
  FitLine noisy = LeastSquaresLine({0, 1, 3, 4}, {1, 3, 1, 3});
  EXPECT_DOUBLE_EQ(noisy.slope, 0.2);
  EXPECT_DOUBLE_EQ(noisy.intercept, 1.6);
  // x without variance: a flat line through the mean of y.
  FitLine flat = LeastSquaresLine({2, 2}, {1, 5});
  EXPECT_EQ(flat.slope, 0.0);
  EXPECT_DOUBLE_EQ(flat.intercept, 3.0);
  EXPECT_EQ(flat.correlation, 0.0);
}

}  // namespace
