// Scatter statistics through the public operations.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

struct ScatterOutput {
  LONG point_count = -1;
  double pearson = -7, x_deviation = -7, y_deviation = -7;
  LONG y_count = -1, x_count = -1;
  double y_mean = -7, x_mean = -7, spearman = -7;
};

// The call sequence of the scatter chart's compute step.
ScatterOutput RunScatter(const std::vector<double>& x,
                         const std::vector<double>& y, double xmin, double xmax,
                         double ymin, double ymax, int kind = 3) {
  ScopedHandle handle(kind);
  const int h = handle.get();
  std::vector<KvDiscPnt> samples = MakeSamples(x, y);
  _kvLoadDiscPnts(h, samples.data(), static_cast<LONG>(samples.size()), 1);
  _kvSetUseSecAttrFlag(h, 1, 1);
  _kvSetUseWtFlag(h, 0, 0);
  _kvSetDataExtr(h, -1e21, 1e21);
  _kvSetAttrExtr(h, xmin, xmax, 2, 3.0);
  _kvSetAttrExtr(h, ymin, ymax, 3, 3.0);
  _kvSetLogFlag(h, 0, 2);
  _kvSetLogFlag(h, 0, 3);
  _kvSetSubNum(h, 1);
  _kvSetBullSize(h, 1.0);
  _kvSetScale(h, static_cast<double>(0.24f));
  _kvSetThoryData(h, xmin, ymin, xmax, ymax);
  _kvDrawScatPlt(h);
  ScatterOutput o;
  _kvOutScatPltParam(h, &o.point_count, &o.pearson, &o.x_deviation,
                     &o.y_deviation, &o.y_count, &o.x_count, &o.y_mean,
                     &o.x_mean, &o.spearman);
  return o;
}

struct CorrelationCase {
  const char* name;
  std::vector<double> x;
  std::vector<double> y;
  double pearson;
  double spearman;
};

const CorrelationCase kCorrelationCases[] = {
    // Centred x -2 -1 0 1 2, y -2 0 1 0 1: sxy 6, sxx 10, syy 6, so
    // r = 6 / sqrt(60). Ranks of y: 1, 2.5, 4.5, 2.5, 4.5 (ties averaged),
    // centred -2 -0.5 1.5 -0.5 1.5: sxy 7, syy 9, rho = 7 / sqrt(90).
    {"ties", {1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, 0.77459666924148337704,
     0.73786478737262184413},
    // y = e^x: monotone, so rho = 1; r from mpmath (40 digits).
    {"monotone", {1, 2, 3, 4, 5, 6},
     {std::exp(1.0), std::exp(2.0), std::exp(3.0), std::exp(4.0),
      std::exp(5.0), std::exp(6.0)},
     0.84678650888534868415, 1.0},
    {"reversed", {1, 2, 3}, {3, 2, 1}, -1.0, -1.0},
    {"constant y", {1, 2, 3}, {4, 4, 4}, 0.0, 0.0},
    {"one pair", {1}, {2}, 0.0, 0.0},
};

TEST(ScatterStatisticsTest, PearsonAndSpearman) {
  for (const CorrelationCase& row : kCorrelationCases) {
    const ScatterOutput o = RunScatter(row.x, row.y, -1e3, 1e3, -1e3, 1e3);
    EXPECT_NEAR(o.pearson, row.pearson, 1e-14) << row.name;
    EXPECT_NEAR(o.spearman, row.spearman, 1e-14) << row.name;
    EXPECT_EQ(o.point_count, static_cast<LONG>(row.x.size())) << row.name;
  }
}

TEST(ScatterStatisticsTest, WindowsSelectCountsMeansAndPairs) {
  // x window [0, 10] drops x = 50; y window [0, 10] drops y = -5 and NaN.
  // x in window: 1 2 3 4 (mean 2.5, variance 1.25); y in window: 2 4 8
  // (mean 14/3). Pairs with both inside: (1, 2), (2, 4), (4, 8): r = 1.
  const ScatterOutput o =
      RunScatter({1, 2, 3, 4, 50}, {2, 4, -5, 8, std::nan("")}, 0, 10, 0, 10);
  EXPECT_EQ(o.point_count, 5) << "left as loaded";
  EXPECT_EQ(o.x_count, 4);
  EXPECT_DOUBLE_EQ(o.x_mean, 2.5);
  EXPECT_DOUBLE_EQ(o.x_deviation, std::sqrt(1.25));
  EXPECT_EQ(o.y_count, 3);
  EXPECT_DOUBLE_EQ(o.y_mean, 14.0 / 3.0);
  // y 2 4 8: squared deviations (8/3)^2 (2/3)^2 (10/3)^2 sum 168/9, / 3.
  EXPECT_DOUBLE_EQ(o.y_deviation, std::sqrt(168.0 / 27.0));
  EXPECT_NEAR(o.pearson, 1.0, 1e-15);
  EXPECT_NEAR(o.spearman, 1.0, 1e-15);
}

TEST(ScatterStatisticsTest, EmptyWindowsGiveZeros) {
  const ScatterOutput o = RunScatter({1, 2}, {1, 2}, 5, 6, 5, 6);
  EXPECT_EQ(o.x_count, 0);
  EXPECT_EQ(o.y_count, 0);
  EXPECT_EQ(o.x_mean, 0.0);
  EXPECT_EQ(o.y_deviation, 0.0);
  EXPECT_EQ(o.pearson, 0.0);
  EXPECT_EQ(o.spearman, 0.0);
}

// Second values loaded on two threads, held as one number where they are
// all the same: every split of constant and varied halves gives the y of
// the records.
TEST(ScatterStatisticsTest, SecondValuesOfLargeLoadsAsGiven) {
  const size_t n = size_t{1} << 17;  // loaded in two halves
  struct Halves {
    const char* name;
    double first, second;  // NaN: varied (i % 10)
  };
  const double varied = std::nan("");
  const Halves cases[] = {{"constant", 7, 7},
                          {"two constants", 7, 9},
                          {"varied second half", 7, varied},
                          {"varied first half", varied, 7}};
  for (const Halves& row : cases) {
    std::vector<double> x(n), y(n);
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
      const double half = i < n / 2 ? row.first : row.second;
      x[i] = static_cast<double>(i % 13);
      y[i] = std::isnan(half) ? static_cast<double>(i % 10) : half;
      sum += y[i];
    }
    const ScatterOutput o = RunScatter(x, y, -1e3, 1e3, -1e3, 1e3);
    EXPECT_EQ(o.y_count, static_cast<LONG>(n)) << row.name;
    EXPECT_NEAR(o.y_mean, sum / static_cast<double>(n), 1e-12) << row.name;
  }
}

// A normal-score handle copies only the values its computation reads: its
// scatter statistics see x as a chart's handle does, and no y.
TEST(ScatterStatisticsTest, NormalScoreHandleHoldsNoSecondValues) {
  const std::vector<double> x = {1, 2, 3, 4, 5};
  const std::vector<double> y = {2, 4, 5, 4, 5};
  const ScatterOutput chart = RunScatter(x, y, -1e21, 1e21, -1e21, 1e21, 3);
  const ScatterOutput scores = RunScatter(x, y, -1e21, 1e21, -1e21, 1e21, 1);
  EXPECT_EQ(scores.point_count, chart.point_count);
  EXPECT_EQ(scores.x_count, chart.x_count);
  EXPECT_EQ(scores.x_mean, chart.x_mean);
  EXPECT_EQ(scores.x_deviation, chart.x_deviation);
  EXPECT_EQ(scores.y_count, 0);
  EXPECT_EQ(scores.pearson + scores.spearman, 0.0);
}

}  // namespace
}  // namespace korvalib_test
