#include "tools/korvagraph/variogram_cloud.h"

#include <gtest/gtest.h>

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

}  // namespace
