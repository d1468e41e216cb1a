#include "korvagraph/analysis/cloud.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "test_support/samples_at.h"
#include "korvagraph/analysis/session.h"

namespace korvagraph::analysis {
namespace {


// The cloud of every pair, in pair order.
VariogramCloud EveryPair(const Samples& samples) {
  SampledCloud sampled;
  EXPECT_TRUE(SampleVariogramCloud(samples, 1 << 30, 0.0, 0, &sampled).ok());
  return sampled.cloud;
}

// The definition of the highlighted points: the count of largest
// semivariance among those closer than max_distance, largest first, ties
// in point order.
std::vector<LONG> LargestClose(const VariogramCloud& cloud, double max_distance,
                               int count) {
  std::vector<LONG> close;
  for (size_t i = 0; i < cloud.distance.size(); ++i) {
    if (cloud.distance[i] < max_distance) close.push_back(static_cast<LONG>(i));
  }
  std::stable_sort(close.begin(), close.end(), [&cloud](LONG a, LONG b) {
    return cloud.semivariance[a] > cloud.semivariance[b];
  });
  close.resize(std::min(close.size(), static_cast<size_t>(count)));
  return close;
}

TEST(CloudTest, OnePointPerPairInPairOrder) {
  // A 3-4-5 triangle: distances 3, 4 and 5.
  const VariogramCloud cloud =
      EveryPair(kgtest::SamplesAt({{0, 0, 1}, {3, 0, 3}, {0, 4, 7}}));
  ASSERT_EQ(cloud.distance.size(), 3u);
  EXPECT_EQ(cloud.distance, (std::vector<double>{3, 4, 5}));
  EXPECT_EQ(cloud.semivariance, (std::vector<double>{2, 18, 8}));
  EXPECT_EQ(cloud.pairs[2].first, 1);
  EXPECT_EQ(cloud.pairs[2].second, 2);
  EXPECT_EQ(PairCount(3), 3);
  EXPECT_EQ(PairCount(1), 0);
  EXPECT_EQ(PairCount(300), 44850);
}

// Returns count samples at random on a 100 x 100 square, values in [0, 10).
Samples RandomSamples(int count) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Samples samples;
  for (int i = 0; i < count; ++i) {
    // Drawn value first, as the generator's original order had them.
    const double value = 10 * unit(random);
    const double y = 100 * unit(random);
    const double x = 100 * unit(random);
    samples.Append(x, y, 0.0, value, std::nan(""), i);
  }
  return samples;
}

TEST(CloudTest, ShownPairsGroupsDigits) {
  const struct {
    int64_t shown, total;
    const char* text;
  } cases[] = {
      {1000000, 199990000, "1,000,000 of 199,990,000 pairs shown"},
      {999, 1000, "999 of 1,000 pairs shown"},
      {0, 0, "0 of 0 pairs shown"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(ShownPairs(row.shown, row.total), row.text) << row.text;
  }
}

// The bounded cloud: every pair when they fit, else a sample of the room
// left by the highlighted pairs; the highlighted pairs are those of the
// whole cloud, and each point is the point of its pair.
TEST(CloudTest, SampledCloudKeepsTheHighlightedPairs) {
  const Samples samples = RandomSamples(300);
  const VariogramCloud every = EveryPair(samples);
  const struct {
    const char* name;
    int64_t max_points;
    double short_distance;
    int count;
    size_t points;
  } cases[] = {
      {"every pair fits", 50000, 5.0, 20, 44850},
      {"a sample", 2000, 5.0, 20, 2000},
      {"a sample, nothing close", 2000, 0.0, 20, 2000},
      {"room for highlighted pairs only", 5, 5.0, 20, 5},
  };
  for (const auto& row : cases) {
    SampledCloud sampled;
    ASSERT_TRUE(SampleVariogramCloud(samples, row.max_points,
                                     row.short_distance, row.count, &sampled)
                    .ok());
    const VariogramCloud& cloud = sampled.cloud;
    EXPECT_EQ(sampled.total_pairs, 44850) << row.name;
    ASSERT_EQ(cloud.distance.size(), row.points) << row.name;
    std::set<int64_t> numbers;
    for (size_t p = 0; p < cloud.pairs.size(); ++p) {
      const int64_t number =
          PairNumber(300, cloud.pairs[p].first, cloud.pairs[p].second);
      numbers.insert(number);
      EXPECT_EQ(cloud.distance[p], every.distance[number]) << row.name;
      EXPECT_EQ(cloud.semivariance[p], every.semivariance[number]) << row.name;
    }
    EXPECT_EQ(numbers.size(), row.points) << row.name << ": repeated pairs";
    const std::vector<LONG> expected = LargestClose(
        every, row.short_distance,
        std::min<int>(row.count, static_cast<int>(row.max_points)));
    ASSERT_EQ(sampled.highlighted.size(), expected.size()) << row.name;
    for (size_t k = 0; k < expected.size(); ++k) {
      const KVL_DOT pair = cloud.pairs[sampled.highlighted[k]];
      EXPECT_EQ(PairNumber(300, pair.first, pair.second), expected[k])
          << row.name << " highlighted " << k;
    }
    SampledCloud again;
    SampleVariogramCloud(samples, row.max_points, row.short_distance, row.count,
                         &again);
    EXPECT_EQ(again.cloud.distance, cloud.distance) << row.name;
  }
}

// With a lag tolerance beyond half a lag a pair counts in two lags, and a
// host picking the pairs of either finds it (lag 5, tolerance 3: a pair 7
// apart is in lag 1, [2, 8], and in lag 2, [7, 13]).
TEST(CloudTest, LagPairsOfOverlappingLags) {
  const Samples samples = kgtest::SamplesAt({{0, 0, 1}, {7, 0, 3}, {0, 2.5, 2}});
  const VariogramCloud cloud = EveryPair(samples);  // 7, 2.5, 7.43
  const LagSettings lags{5.0, 3, 3.0};
  const struct {
    int entry;
    std::vector<LONG> points;
  } cases[] = {{0, {}}, {1, {1}}, {2, {0, 1, 2}}, {3, {0, 2}}, {4, {}}};
  for (const auto& row : cases) {
    EXPECT_EQ(LagPairs(samples, cloud, lags, Direction{0, 90}, row.entry),
              row.points)
        << row.entry;
  }
}

// The session finds the cloud's highlighted pairs in the variograms' pass;
// they are those the cloud finds alone.
TEST(CloudTest, HighlightedPairsFoundWithTheVariograms) {
  const Samples samples = RandomSamples(500);
  Table table;
  table.AddColumn("X", samples.x);
  table.AddColumn("Y", samples.y);
  table.AddColumn("V", samples.value);
  Settings settings;
  settings.variogram.lag = 4.0;
  std::unique_ptr<Session> alone, shared;
  ASSERT_TRUE(Session::Open(table, settings, &alone).ok());
  ASSERT_TRUE(Session::Open(table, settings, &shared).ok());
  const VariogramSet* variograms = nullptr;
  ASSERT_TRUE(shared->Variograms(&variograms).ok());
  const CloudSet* a = nullptr;
  const CloudSet* b = nullptr;
  ASSERT_TRUE(alone->Cloud(&a).ok());
  ASSERT_TRUE(shared->Cloud(&b).ok());
  ASSERT_EQ(a->highlighted_pairs.size(), 20u);
  for (size_t k = 0; k < a->highlighted_pairs.size(); ++k) {
    EXPECT_EQ(a->highlighted_pairs[k].first, b->highlighted_pairs[k].first);
    EXPECT_EQ(a->highlighted_pairs[k].second, b->highlighted_pairs[k].second);
  }
  EXPECT_EQ(a->highlighted, b->highlighted);
}

TEST(CloudTest, SampleIsSpreadEvenlyOverThePairs) {
  const Samples samples = RandomSamples(2000);
  SampledCloud sampled;
  ASSERT_TRUE(SampleVariogramCloud(samples, 100000, 1.0, 0, &sampled).ok());
  ASSERT_EQ(sampled.cloud.pairs.size(), 100000u);
  // Ten equal slices of the pair numbers hold a tenth of the sample each.
  std::vector<int> slices(10, 0);
  for (const KVL_DOT& pair : sampled.cloud.pairs) {
    ++slices[PairNumber(2000, pair.first, pair.second) * 10 /
             sampled.total_pairs];
  }
  for (int s = 0; s < 10; ++s) EXPECT_NEAR(slices[s], 10000, 400) << s;
}

}  // namespace
}  // namespace korvagraph::analysis
