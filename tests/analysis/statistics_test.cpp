#include "korvagraph/analysis/statistics.h"

#include <gtest/gtest.h>

#include <string>

#include "korvagraph/analysis/charts.h"

namespace korvagraph::analysis {
namespace {

TEST(StatisticsTest, WindowSpansTheValues) {
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

TEST(StatisticsTest, WidenedOnlyWhenTheWindowHasNoWidth) {
  const struct {
    const char* name;
    DataWindow window;
    DataWindow widened;
  } cases[] = {
      {"has width", {1.0, 2.0}, {1.0, 2.0}},
      {"constant", {20.0, 20.0}, {19.0, 21.0}},
      {"constant negative", {-20.0, -20.0}, {-21.0, -19.0}},
      {"zero", {0.0, 0.0}, {-0.5, 0.5}},
      // Regression: 5% of a subnormal value is 0, and the window stayed
      // without width; the maps' axis rule then looped for ever.
      {"subnormal", {4.9e-324, 4.9e-324}, {-0.5, 0.5}},
      {"5% overflows",
       {1.75e308, 1.75e308},
       {1.6625e308, 1.7976931348623157e308}},
  };
  for (const auto& row : cases) {
    const DataWindow w = Widened(row.window);
    EXPECT_DOUBLE_EQ(w.minimum, row.widened.minimum) << row.name;
    EXPECT_DOUBLE_EQ(w.maximum, row.widened.maximum) << row.name;
  }
}

TEST(StatisticsTest, RoundedOutwardToARoundStep) {
  const struct {
    const char* name;
    DataWindow window;
    DataWindow rounded;
  } cases[] = {
      // Width 110: a tenth is 11, the round step above it 20.
      {"copper", {3.042, 111.131}, {0.0, 120.0}},
      {"already round", {0.0, 100.0}, {0.0, 100.0}},
      // Width 0.4: step 0.05; 0.3 / 0.05 rounds just below 6.
      {"step quotient below a whole number", {0.3, 0.7}, {0.25, 0.7}},
      {"negative", {-37.0, -2.0}, {-40.0, 0.0}},
      {"constant", {20.0, 20.0}, {19.0, 21.0}},
  };
  for (const auto& row : cases) {
    const DataWindow w = Rounded(row.window);
    EXPECT_NEAR(w.minimum, row.rounded.minimum, 1e-12) << row.name;
    EXPECT_NEAR(w.maximum, row.rounded.maximum, 1e-12) << row.name;
    // Every value of the window stays inside.
    EXPECT_LE(w.minimum, row.window.minimum) << row.name;
    EXPECT_GE(w.maximum, row.window.maximum) << row.name;
  }
}

TEST(StatisticsTest, AbbreviatedToFitAMargin) {
  const struct {
    const char* name;
    std::string text;
    size_t chars;
    std::string abbreviated;
  } cases[] = {
      {"fits", "Zinc", 4, "Zinc"},
      {"cut with a period", "Copper", 4, "Cop."},
      {"horizontal margin", "Copper", 3, "Co."},
      {"empty", "", 3, ""},
      // Characters, not bytes: two-byte letters are kept whole.
      {"utf-8 fits", "\u03b3\u03b3\u03b3", 3, "\u03b3\u03b3\u03b3"},
      {"utf-8 cut", "\u00c5s\u00e5sen", 3, "\u00c5s."},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(Abbreviated(row.text, row.chars), row.abbreviated) << row.name;
  }
}

TEST(StatisticsTest, ClassCountFollowsTheSquareRootWithinBounds) {
  const struct {
    int count;
    int classes;
  } cases[] = {{0, 5},    {1, 5},     {24, 5},      {36, 6},
               {300, 17}, {1600, 40}, {1000000, 40}};
  for (const auto& c : cases) {
    EXPECT_EQ(HistogramClassCount(c.count), c.classes) << c.count;
  }
}

TEST(StatisticsTest, MomentsUseDivisorN) {
  EXPECT_DOUBLE_EQ(Mean({1, 2, 3, 4}), 2.5);
  EXPECT_DOUBLE_EQ(Variance({1, 2, 3, 4}), 1.25);
  EXPECT_EQ(Variance({}), 0.0);
}

TEST(StatisticsTest, LeastSquaresLine) {
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
}  // namespace korvagraph::analysis
