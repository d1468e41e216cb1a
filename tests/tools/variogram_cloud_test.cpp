#include "tools/korvagraph/variogram_cloud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "test_support/host_records.h"

namespace {

using kgtest::LocatedSample;

TEST(VariogramCloudTest, OnePointPerPair) {
  // A 3-4-5 triangle: distances 3, 4 and 5.
  const std::vector<KvDiscPnt> samples = {
      LocatedSample(0, 0, 1), LocatedSample(3, 0, 3), LocatedSample(0, 4, 7)};
  const VariogramCloud cloud = ComputeVariogramCloud(samples, 0.0, nullptr);
  ASSERT_EQ(cloud.distance.size(), 3u);
  EXPECT_EQ(cloud.distance, (std::vector<double>{3, 4, 5}));
  EXPECT_EQ(cloud.semivariance, (std::vector<double>{2, 18, 8}));
  EXPECT_EQ(cloud.pairs[2].first, 1);
  EXPECT_EQ(cloud.pairs[2].second, 2);
  EXPECT_EQ(PairCount(3), 3);
  EXPECT_EQ(PairCount(1), 0);
}

TEST(VariogramCloudTest, LargestSemivariancesAtShortDistance) {
  VariogramCloud cloud;
  cloud.distance = {10, 60, 20, 30, 5, 40};
  cloud.semivariance = {4, 99, 7, 7, 1, 3};
  const struct {
    const char* name;
    double max_distance;
    int count;
    std::vector<LONG> points;
  } cases[] = {
      // Point 1 is the largest but too far; points 2 and 3 tie: lower first.
      {"closer than 50, three", 50.0, 3, {2, 3, 0}},
      {"every close point", 50.0, 10, {2, 3, 0, 5, 4}},
      {"the bound is outside", 40.0, 10, {2, 3, 0, 4}},
      {"none asked", 50.0, 0, {}},
      {"negative count", 50.0, -3, {}},
      {"nothing close", 1.0, 5, {}},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(LargestAtShortDistance(cloud, row.max_distance, row.count),
              row.points)
        << row.name;
  }
}

// Returns count samples at random on a 100 x 100 square, values in [0, 10).
std::vector<KvDiscPnt> RandomSamples(int count) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<KvDiscPnt> samples;
  for (int i = 0; i < count; ++i) {
    samples.push_back(LocatedSample(100 * unit(random), 100 * unit(random),
                                    10 * unit(random)));
  }
  return samples;
}

TEST(VariogramCloudTest, ShownPairsGroupsDigits) {
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
TEST(VariogramCloudTest, SampledCloudKeepsTheHighlightedPairs) {
  const std::vector<KvDiscPnt> samples = RandomSamples(300);
  const VariogramCloud every = ComputeVariogramCloud(samples, 0.0, nullptr);
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
    const SampledCloud sampled = SampleVariogramCloud(
        samples, row.max_points, row.short_distance, row.count, nullptr);
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
    const std::vector<LONG> expected = LargestAtShortDistance(
        every, row.short_distance,
        std::min<int>(row.count, static_cast<int>(row.max_points)));
    ASSERT_EQ(sampled.highlighted.size(), expected.size()) << row.name;
    for (size_t k = 0; k < expected.size(); ++k) {
      const KVL_DOT pair = cloud.pairs[sampled.highlighted[k]];
      EXPECT_EQ(PairNumber(300, pair.first, pair.second), expected[k])
          << row.name << " highlighted " << k;
    }
    const SampledCloud again = SampleVariogramCloud(
        samples, row.max_points, row.short_distance, row.count, nullptr);
    EXPECT_EQ(again.cloud.distance, cloud.distance) << row.name;
  }
}

TEST(VariogramCloudTest, SampleIsSpreadEvenlyOverThePairs) {
  const std::vector<KvDiscPnt> samples = RandomSamples(2000);
  const SampledCloud sampled =
      SampleVariogramCloud(samples, 100000, 1.0, 0, nullptr);
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
