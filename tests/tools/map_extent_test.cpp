#include "tools/korvagraph/map_extent.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support/host_records.h"

namespace {

using kgtest::LocatedSample;

TEST(MapExtentTest, BoxAndWindowSpanTheSamples) {
  const MapExtent e = MapExtentOf({LocatedSample(9, 500, 4.5, 300),
                                   LocatedSample(46, -20, 12, 340),
                                   LocatedSample(20, 7, 3, 310)});
  EXPECT_EQ(e.minimum.x, 9.0);
  EXPECT_EQ(e.minimum.y, -20.0);
  EXPECT_EQ(e.minimum.z, 300.0);
  EXPECT_EQ(e.maximum.x, 46.0);
  EXPECT_EQ(e.maximum.y, 500.0);
  EXPECT_EQ(e.maximum.z, 340.0);
  EXPECT_EQ(e.values.minimum, 3.0);
  EXPECT_EQ(e.values.maximum, 12.0);
}

TEST(MapExtentTest, ConstantSidesAreWidened) {
  // Samples on one line with one value and no z: no chart can scale a side
  // of no width.
  const MapExtent e =
      MapExtentOf({LocatedSample(0, 100, 5, 0), LocatedSample(10, 100, 5, 0)});
  EXPECT_EQ(e.minimum.x, 0.0);
  EXPECT_EQ(e.maximum.x, 10.0);
  EXPECT_LT(e.minimum.y, 100.0);
  EXPECT_GT(e.maximum.y, 100.0);
  EXPECT_LT(e.minimum.z, e.maximum.z);
  EXPECT_LT(e.values.minimum, 5.0);
  EXPECT_GT(e.values.maximum, 5.0);
}

}  // namespace
