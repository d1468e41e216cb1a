// Probability-plot positions and Q-Q / P-P pairs through the public
// operations.
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

TEST(ProbabilityPlotTest, AxisPositionsAndPairs) {
  ScopedHandle handle;
  const int h = handle.get();
  LoadValues(h, {40, 10, 30, 20, 99});
  _kvSetDataExtr(h, 0.0, 50.0);
  _kvSetProbPntNum(h, 5);
  _kvSetLogFlag(h, 1, 3);
  _kvSetAttrExtr(h, 0.0, 50.0, 1, 3.0);
  double probabilities[3] = {0.5, 0.975, 0.999};
  _kvSetProbValue(h, probabilities, 3);
  _kvDrawProbPlt(h);
  double positions[3] = {};
  std::vector<double> pairs(10, -7.0);
  LONG count = -1;
  _kvOutPropPltParam(h, positions, pairs.data(), &count);

  // G^-1 references from mpmath (40 digits).
  EXPECT_EQ(positions[0], 0.0);
  EXPECT_NEAR(positions[1], 1.9599639845400542355, 2e-14);
  EXPECT_NEAR(positions[2], 3.0902323061678135415, 4e-14);
  ASSERT_EQ(count, 4) << "99 lies outside the window";
  // Positions G^-1((i - 0.5) / 4): +-1.1503493803760081783 and
  // +-0.31863936396437516302 (mpmath).
  const double expected[8] = {10, -1.1503493803760081783,
                              20, -0.31863936396437516302,
                              30, 0.31863936396437516302,
                              40, 1.1503493803760081783};
  for (int k = 0; k < 8; ++k) {
    EXPECT_NEAR(pairs[k], expected[k], 1e-14) << "entry " << k;
  }
  EXPECT_EQ(pairs[8], -7.0);
}

struct QqCase {
  const char* name;
  std::vector<double> first;
  std::vector<double> second;
  int selector;
  LONG point_number;
  std::vector<double> expected;  // x0 y0 x1 y1 ...
};

// Q-Q: quantile p of n sorted values sits at zero-based position p n - 0.5.
// P-P: cumulative probabilities at thresholds spread over the overlap.
const QqCase kQqCases[] = {
    {"equal counts pair the sorted values",
     {3, 1, 2},
     {30, 10, 20},
     0,
     3,
     {1, 10, 2, 20, 3, 30}},
    // m = 2: p = 0.25, 0.75; first (n 4) at positions 0.5, 2.5 -> 1.5, 3.5;
    // second (n 2) at 0, 1 -> 10, 20.
    {"unequal counts interpolate",
     {1, 2, 3, 4},
     {10, 20},
     0,
     2,
     {1.5, 10, 3.5, 20}},
    {"point number limits the pairs", {1, 2, 3}, {1, 2, 3}, 0, 1, {2, 2}},
    // Overlap [2, 4], m = 4, thresholds 2.25 2.75 3.25 3.75. First 1 2 3 4
    // at 0.125 0.375 0.625 0.875, second 2 3 4 5 likewise: F1(2.25) =
    // 0.375 + 0.25 * 0.25 = 0.4375, F2(2.25) = 0.125 + 0.0625 = 0.1875, ...
    {"probability pairs over the overlap",
     {4, 3, 2, 1},
     {2, 3, 4, 5},
     1,
     4,
     {0.4375, 0.1875, 0.5625, 0.3125, 0.6875, 0.4375, 0.8125, 0.5625}},
    {"no overlap, no pairs", {1, 2}, {5, 6}, 1, 2, {}},
};

TEST(QqPairsTest, Forms) {
  for (const QqCase& row : kQqCases) {
    ScopedHandle handle;
    const int h = handle.get();
    LoadValues(h, row.first, 1);
    LoadValues(h, row.second, 2);
    _kvSetDataExtr(h, -1e21, 1e21);
    _kvSetQqPpFlag(h, row.selector);
    _kvSetProbPntNum(h, row.point_number);
    _kvSetAttrExtr(h, -100, 100, 2, 5.0);
    _kvSetAttrExtr(h, -100, 100, 3, 5.0);
    _kvDrawQpPlt(h);
    std::vector<double> pairs(2 * row.first.size() + 2, -7.0);
    LONG count = -1;
    _kvOutQpPltParam(h, pairs.data(), &count);
    ASSERT_EQ(static_cast<size_t>(count) * 2, row.expected.size()) << row.name;
    for (size_t k = 0; k < row.expected.size(); ++k) {
      EXPECT_NEAR(pairs[k], row.expected[k], 1e-14) << row.name << " " << k;
    }
    EXPECT_EQ(pairs[row.expected.size()], -7.0) << row.name;
  }
}

TEST(QqPairsTest, AxisWindowsSelectEachSet) {
  // The -999 marks of samples without a normal score fall outside the
  // score window and so take no part.
  ScopedHandle handle;
  const int h = handle.get();
  LoadValues(h, {-999, 0.5, -0.5}, 1);
  LoadValues(h, {7, 20, 10}, 2);
  _kvSetDataExtr(h, -1e21, 1e21);
  _kvSetQqPpFlag(h, 0);
  _kvSetProbPntNum(h, 3);
  _kvSetAttrExtr(h, -0.5, 0.5, 2, 5.0);
  _kvSetAttrExtr(h, 10, 20, 3, 5.0);
  _kvDrawQpPlt(h);
  double pairs[6] = {};
  LONG count = -1;
  _kvOutQpPltParam(h, pairs, &count);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(pairs[0], -0.5);
  EXPECT_EQ(pairs[1], 10);
  EXPECT_EQ(pairs[2], 0.5);
  EXPECT_EQ(pairs[3], 20);
}

}  // namespace
}  // namespace korvalib_test
