// The histogram computation through the engine's public operations.
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

struct HistogramOutput {
  LONG count = -1;
  LONG left_out = -1;
  double stats[7] = {};  // mean, deviation, max, upper q, median, lower q, min
  std::vector<double> result;
  double maximum_frequency = -1.0;
};

// The call sequence of the histogram chart's compute step.
HistogramOutput RunHistogram(const std::vector<double>& values, double minimum,
                             double maximum, int classes, int cumulative) {
  ScopedHandle handle;
  const int h = handle.get();
  _kvSetDataExtr(h, minimum, maximum);
  LoadValues(h, values);
  _kvSetAttrExtr(h, minimum, maximum, 1, 3.0);
  _kvSetFreqExtr(h, 0.0);
  _kvSetClassNum(h, classes);
  _kvSetLogFlag(h, 0, 1);
  _kvSetCumHistFlag(h, cumulative);
  _kvSetQuanNum(h, 10000);
  _kvSetDecNum(h, 2);
  _kvSetRefVal(h, static_cast<double>(-1.1e21f));
  _kvSetScale(h, static_cast<double>(0.24f));
  _kvSetThoryData(h, minimum, 0.0, maximum, 1.0);
  _kvDrawHistPlt(h);
  HistogramOutput out;
  out.result.assign(std::max<size_t>(values.size(), classes + 1), -7.0);
  _kvOutHistPltParam(h, &out.count, &out.left_out, &out.stats[0],
                     &out.stats[1], &out.stats[2], &out.stats[3],
                     &out.stats[4], &out.stats[5], &out.stats[6],
                     out.result.data(), &out.maximum_frequency);
  return out;
}

// Statistics worked by hand. Quartiles: the i-th smallest of n stands at
// (i - 0.5) / n, so quantile p sits at zero-based position p * n - 0.5.
struct StatisticsCase {
  const char* name;
  std::vector<double> values;  // in [0, 200]; others are left out
  LONG n;
  LONG left_out;
  double stats[7];
};

const StatisticsCase kStatisticsCases[] = {
    // 1 .. 10: mean 5.5, variance 8.25; positions 2.0, 4.5, 7.0 give the
    // quartiles 3, (5 + 6) / 2, 8.
    {"one to ten",
     {7, 3, 10, 1, 5, 2, 9, 4, 8, 6, -1, 250},
     10,
     2,
     {5.5, 2.8722813232690143, 10, 8, 5.5, 3, 1}},
    // 10 20 40 80 160: mean 62; squared deviations 2704 1764 484 324 9604
    // sum 14880, variance 2976; positions 0.75, 2.0, 3.25 give
    // 10 + 0.75 * 10 = 17.5, 40, 80 + 0.25 * 80 = 100.
    {"doubling",
     {160, 10, 80, 20, 40},
     5,
     0,
     {62, 54.552726787943423571, 160, 100, 40, 17.5, 10}},
};

TEST(HistogramTest, NineStatistics) {
  for (const StatisticsCase& row : kStatisticsCases) {
    const HistogramOutput out = RunHistogram(row.values, 0.0, 200.0, 4, 0);
    EXPECT_EQ(out.count, row.n) << row.name;
    EXPECT_EQ(out.left_out, row.left_out) << row.name;
    for (int k = 0; k < 7; ++k) {
      EXPECT_NEAR(out.stats[k], row.stats[k], 1e-12 * (1 + row.stats[k]))
          << row.name << " statistic r" << (k + 3);
    }
  }
}

// The frequency kind finds its quartiles by selection, the cumulative kind
// by a full sort: on inputs large enough for two cores both give the same
// nine statistics, bit for bit.
TEST(HistogramTest, BothKindsAgreeOnLargeSamples) {
  // Each row: its name, its window, and a rule for value i.
  std::mt19937_64 generator(5);
  std::lognormal_distribution<double> grade(0.0, 1.0);
  const struct {
    const char* name;
    double window[2];
    std::function<double(int)> value;
  } rows[] = {
      {"lognormal, distinct",
       {0.0, 1e3},
       [&](int) { return grade(generator); }},
      {"few distinct values", {-1.0, 9.0}, [](int i) { return (i * 31) % 7; }},
      {"window cuts both tails", {0.5, 4.0}, [&](int) {
         return grade(generator);
       }}};
  for (const auto& row : rows) {
    std::vector<double> values(200000);
    for (int i = 0; i < 200000; ++i) values[i] = row.value(i);
    const HistogramOutput bars =
        RunHistogram(values, row.window[0], row.window[1], 20, 0);
    const HistogramOutput curve =
        RunHistogram(values, row.window[0], row.window[1], 20, 1);
    EXPECT_EQ(bars.count, curve.count) << row.name;
    EXPECT_GT(bars.count, 1000) << row.name;
    for (int k = 0; k < 7; ++k) {
      EXPECT_EQ(bars.stats[k], curve.stats[k])
          << row.name << " statistic r" << (k + 3);
    }
  }
}

TEST(HistogramTest, ClassFrequencies) {
  // 1 .. 10 over [0, 10] in 5 classes of width 2: {1}, {2, 3}, {4, 5},
  // {6, 7}, {8, 9, 10} (the last class closed on the right).
  const HistogramOutput out = RunHistogram(
      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, std::nan("")}, 0.0, 10.0, 5, 0);
  EXPECT_EQ(out.count, 10);
  EXPECT_EQ(out.left_out, 2);
  const std::vector<double> expected = {0, 0.1, 0.2, 0.2, 0.2, 0.3};
  for (size_t c = 0; c < expected.size(); ++c) {
    EXPECT_DOUBLE_EQ(out.result[c], expected[c]) << "entry " << c;
  }
  EXPECT_EQ(out.result[6], -7.0) << "nothing written past entry C";
  EXPECT_DOUBLE_EQ(out.maximum_frequency, 0.3);
}

TEST(HistogramTest, CumulativeKindGivesSortedValuesUpToTheQuantileCount) {
  const HistogramOutput out =
      RunHistogram({5, 3, 9, 1, 7, 100}, 0.0, 10.0, 4, 1);
  EXPECT_EQ(out.count, 5);
  const std::vector<double> expected = {1, 3, 5, 7, 9};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(out.result[i], expected[i]) << "entry " << i;
  }
  EXPECT_EQ(out.result[5], -7.0) << "nothing written past n";
  EXPECT_EQ(out.maximum_frequency, 1.0);
}

TEST(HistogramTest, CumulativeKindTakesTenThousandQuantilesOf25000) {
  // The values 0 .. 24999 in a scrambled order. Quantile (i + 0.5) / 10000
  // sits at position 2.5 i + 0.75, and the data are linear, so entry i is
  // exactly 2.5 i + 0.75.
  std::vector<double> values(25000);
  for (size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<double>((i * 7919) % 25000);
  }
  const HistogramOutput out = RunHistogram(values, 0.0, 25000.0, 10, 1);
  EXPECT_EQ(out.count, 25000);
  for (size_t i = 0; i < 10000; ++i) {
    ASSERT_NEAR(out.result[i], 2.5 * i + 0.75, 1e-9) << "entry " << i;
  }
  EXPECT_EQ(out.result[10000], -7.0) << "only the quantile count written";
  EXPECT_EQ(out.maximum_frequency, 1.0);
  EXPECT_DOUBLE_EQ(out.stats[4], 12499.5) << "median";
}

TEST(HistogramTest, NoValueInsideGivesZeros) {
  const HistogramOutput out = RunHistogram({50, 60}, 0.0, 10.0, 3, 0);
  EXPECT_EQ(out.count, 0);
  EXPECT_EQ(out.left_out, 2);
  for (double s : out.stats) EXPECT_EQ(s, 0.0);
  for (int c = 0; c <= 3; ++c) EXPECT_EQ(out.result[c], 0.0) << c;
  EXPECT_EQ(out.maximum_frequency, 0.0);
}

TEST(HistogramTest, ZeroWidthWindowPutsEverythingInTheFirstClass) {
  const HistogramOutput out = RunHistogram({4, 4, 5}, 4.0, 4.0, 2, 0);
  EXPECT_EQ(out.count, 2);
  EXPECT_EQ(out.result[1], 1.0);
  EXPECT_EQ(out.result[2], 0.0);
}

}  // namespace
}  // namespace korvalib_test
