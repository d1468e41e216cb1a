#include "tools/korvagraph/experimental_variogram.h"

#include <gtest/gtest.h>

#include <vector>

#include "tools/korvagraph/variogram_cloud.h"

namespace {

std::vector<KvDiscPnt> Samples(const std::vector<std::vector<double>>& xyv) {
  std::vector<KvDiscPnt> samples;
  for (const std::vector<double>& s : xyv) {
    KvDiscPnt p{};
    p.x = s[0];
    p.y = s[1];
    p.value = s[2];
    samples.push_back(p);
  }
  return samples;
}

// Four samples along the x axis (east), one unit apart, values 1, 2, 4, 7.
// By hand, lag 1: pairs (1,2) (2,4) (4,7), gamma = (1 + 4 + 9) / (2 * 3);
// lag 2: (1,4) (2,7), gamma = (9 + 25) / 4; lag 3: (1,7), gamma = 36 / 2.
TEST(ExperimentalVariogramTest, LineOfFourByHand) {
  const auto samples = Samples({{0, 0, 1}, {1, 0, 2}, {2, 0, 4}, {3, 0, 7}});
  const LagSettings lags{1.0, 3};
  const std::vector<VariogramDirection> directions = {
      {0, 90}, {0, 22.5}, {45, 22.5}, {90, 22.5}, {135, 22.5}};
  const auto rows = ExperimentalVariograms(samples, lags, directions, nullptr);
  ASSERT_EQ(rows.size(), 5u);
  for (int d : {0, 3}) {  // every direction, and east
    const std::vector<Variogram>& row = rows[d];
    ASSERT_EQ(row.size(), 5u) << d;
    EXPECT_EQ(row[0].npairs, 0) << d;
    EXPECT_EQ(row[1].npairs, 0) << d;
    EXPECT_EQ(row[2].npairs, 3) << d;
    EXPECT_DOUBLE_EQ(row[2].h, 1.0) << d;
    EXPECT_DOUBLE_EQ(row[2].gamma, 14.0 / 6.0) << d;
    EXPECT_EQ(row[3].npairs, 2) << d;
    EXPECT_DOUBLE_EQ(row[3].h, 2.0) << d;
    EXPECT_DOUBLE_EQ(row[3].gamma, 8.5) << d;
    EXPECT_EQ(row[4].npairs, 1) << d;
    EXPECT_DOUBLE_EQ(row[4].h, 3.0) << d;
    EXPECT_DOUBLE_EQ(row[4].gamma, 18.0) << d;
  }
  for (int d : {1, 2, 4}) {  // north, north-east and south-east see nothing
    for (const Variogram& v : rows[d]) EXPECT_EQ(v.npairs, 0) << d;
  }
}

TEST(ExperimentalVariogramTest, BinsShortAndSamePlacePairs) {
  // Distances: A-B 0 (same place), A-C 0.3 (below half a lag), A-D 1.4.
  const auto samples =
      Samples({{0, 0, 0}, {0, 0, 2}, {0, 0.3, 1}, {0, 1.4, 3}});
  const auto rows = ExperimentalVariograms(samples, LagSettings{1.0, 2},
                                           {{90, 22.5}}, nullptr);
  const std::vector<Variogram>& row = rows[0];
  // Pairs at one place count in every direction, even across it.
  EXPECT_EQ(row[0].npairs, 1);
  EXPECT_DOUBLE_EQ(row[0].gamma, 2.0);
  // The rest run north, outside the east direction.
  EXPECT_EQ(row[1].npairs, 0);
  EXPECT_EQ(row[2].npairs, 0);
  const auto all =
      ExperimentalVariograms(samples, LagSettings{1.0, 2}, {{0, 90}}, nullptr);
  EXPECT_EQ(all[0][1].npairs, 2);  // A-C and B-C at 0.3
  EXPECT_EQ(all[0][2].npairs, 3);  // C-D at 1.1, A-D and B-D at 1.4
  EXPECT_DOUBLE_EQ(all[0][2].h, (1.1 + 1.4 + 1.4) / 3);
  EXPECT_EQ(all[0][3].npairs, 0);
}

TEST(ExperimentalVariogramTest, DirectionToleranceWrapsAt180) {
  // A pair at azimuth 170 lies 10 degrees from azimuth 0 (north-south), and
  // directions given as 180 or -180 are that same one.
  const auto samples = Samples({{0, 0, 0}, {0.17365, -0.98481, 1}});
  const auto rows = ExperimentalVariograms(
      samples, LagSettings{1.0, 1},
      {{0, 22.5}, {135, 22.5}, {180, 22.5}, {-180, 22.5}, {-45, 22.5}},
      nullptr);
  EXPECT_EQ(rows[0][2].npairs, 1);
  EXPECT_EQ(rows[1][2].npairs, 0);
  EXPECT_EQ(rows[2][2].npairs, 1);
  EXPECT_EQ(rows[3][2].npairs, 1);
  EXPECT_EQ(rows[4][2].npairs, 0);  // -45 is 135
}

TEST(ExperimentalVariogramTest, DefaultLagsFromTheExtent) {
  // A 1000 x 1000 square: reach 707, spacing 50 (707 / 12 = 59 rounded
  // down to 1, 2, 2.5 or 5 times a power of ten), 14 lags.
  const auto square = Samples({{0, 0, 0}, {1000, 1000, 0}});
  const LagSettings lags = DefaultLags(square);
  EXPECT_DOUBLE_EQ(lags.spacing, 50.0);
  EXPECT_EQ(lags.count, 14);
  const auto small = Samples({{0, 0, 0}, {3, 4, 0}});  // reach 2.5
  EXPECT_DOUBLE_EQ(DefaultLags(small).spacing, 0.2);
  EXPECT_EQ(DefaultLags(small).count, 12);
  const auto one_place = Samples({{5, 5, 0}, {5, 5, 1}});
  EXPECT_EQ(DefaultLags(one_place).count, 1);
}

TEST(ExperimentalVariogramTest, QualifyingPairsCountsEntriesOfThirtyOrMore) {
  std::vector<Variogram> row(4, Variogram{});
  row[1].npairs = 29;
  row[2].npairs = 30;
  row[3].npairs = 100;
  EXPECT_EQ(QualifyingPairs(row), 130);
}

TEST(VariogramCloudTest, OnePointPerPair) {
  const auto samples = Samples({{0, 0, 1}, {3, 4, 3}, {0, 1, 0}});
  const VariogramCloud cloud = ComputeVariogramCloud(samples, 0.0, nullptr);
  ASSERT_EQ(cloud.distance.size(), 3u);
  EXPECT_DOUBLE_EQ(cloud.distance[0], 5.0);
  EXPECT_DOUBLE_EQ(cloud.semivariance[0], 2.0);
  EXPECT_EQ(cloud.pairs[0].first, 0);
  EXPECT_EQ(cloud.pairs[0].second, 1);
  EXPECT_DOUBLE_EQ(cloud.distance[1], 1.0);
  EXPECT_DOUBLE_EQ(cloud.semivariance[1], 0.5);
  EXPECT_EQ(cloud.pairs[2].first, 1);
  EXPECT_EQ(cloud.pairs[2].second, 2);
  EXPECT_DOUBLE_EQ(cloud.semivariance[2], 4.5);

  const VariogramCloud near = ComputeVariogramCloud(samples, 4.5, nullptr);
  ASSERT_EQ(near.distance.size(), 2u);  // 5.0 is beyond the reach
  EXPECT_EQ(near.pairs[0].first, 0);
  EXPECT_EQ(near.pairs[0].second, 2);
  EXPECT_EQ(PairCount(300), 44850);
  EXPECT_EQ(PairCount(1), 0);
}

}  // namespace
