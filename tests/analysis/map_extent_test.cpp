#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "korvagraph/analysis/samples.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace korvagraph::analysis {
namespace {

using kgtest::LocatedSample;

// The samples of the records' coordinates and values.
Samples Of(const std::vector<KvDiscPnt>& records) {
  Samples samples;
  for (size_t i = 0; i < records.size(); ++i) {
    const KvDiscPnt& r = records[i];
    samples.Append(r.x, r.y, r.z, r.value, r.value2, static_cast<int64_t>(i));
  }
  return samples;
}

TEST(MapExtentTest, BoxAndWindowSpanTheSamples) {
  const MapExtent e = MapExtentOf(
      Of({LocatedSample(9, 500, 4.5, 300), LocatedSample(46, -20, 12, 340),
          LocatedSample(20, 7, 3, 310)}));
  EXPECT_EQ(e.minimum.x, 9.0);
  EXPECT_EQ(e.minimum.y, -20.0);
  EXPECT_EQ(e.minimum.z, 300.0);
  // 9 to 46 gets an axis from 5 to 45: raised twice by half its step of 5.
  EXPECT_EQ(e.maximum.x, 51.0);
  EXPECT_EQ(e.maximum.y, 500.0);
  EXPECT_EQ(e.maximum.z, 340.0);
  EXPECT_EQ(e.values.minimum, 3.0);
  EXPECT_EQ(e.values.maximum, 12.0);
}

TEST(MapExtentTest, ConstantSidesAreWidened) {
  // Samples on one line with one value and no z: no chart can scale a side
  // of no width.
  const MapExtent e = MapExtentOf(
      Of({LocatedSample(0, 100, 5, 0), LocatedSample(10, 100, 5, 0)}));
  EXPECT_EQ(e.minimum.x, 0.0);
  EXPECT_EQ(e.maximum.x, 10.0);
  EXPECT_LT(e.minimum.y, 100.0);
  EXPECT_GT(e.maximum.y, 100.0);
  EXPECT_LT(e.minimum.z, e.maximum.z);
  EXPECT_LT(e.values.minimum, 5.0);
  EXPECT_GT(e.values.maximum, 5.0);
}

// Regression: coordinates or values of 4.9e-324 everywhere kept windows of
// no width and the axis rule multiplied a zero mantissa for ever.
TEST(MapExtentTest, SubnormalConstantsGetAWidth) {
  for (double v : {4.9e-324, -4.9e-324, 1e-310}) {
    const MapExtent e =
        MapExtentOf(Of({LocatedSample(v, 1, v, v), LocatedSample(v, 5, v, v),
                        LocatedSample(v, 2, v, v)}));
    EXPECT_LT(e.minimum.x, e.maximum.x) << v;
    EXPECT_LT(e.minimum.z, e.maximum.z) << v;
    EXPECT_LT(e.values.minimum, e.values.maximum) << v;
    EXPECT_TRUE(std::isfinite(e.maximum.x - e.minimum.x)) << v;
  }
}

// Returns the number of circle marks a chart drew into a new window.
long MarksDrawn(CKorvaGraph* graph, LONG (*draw)(CKorvaGraph*, CWnd*)) {
  const std::vector<std::string> log =
      kgtest::DrawAndLog(draw, graph, 400, 400);
  return std::count_if(log.begin(), log.end(), [](const std::string& call) {
    return call.rfind("Ellipse", 0) == 0;
  });
}

LONG DrawMap(CKorvaGraph* graph, CWnd* window) {
  return _kvGraphDrawLocmPlt(graph, window, nullptr);
}

// Regression: the maps and the cross plot took the exact extent, and their
// floored axes ended below the maximum: x from 3.3 to 41.7 got an axis from
// 0 to 40, and the map said "samples: 3" but showed 2.
TEST(MapExtentTest, MapsAndCrossPlotDrawEverySample) {
  struct Row {
    const char* name;
    double low, high;
  } rows[] = {
      {"3.3 to 41.7", 3.3, 41.7},  {"9 to 46", 9, 46},
      {"-10 to 95", -10, 95},      {"just below zero", -0.000005, 0.00007},
      {"large", 12345.6, 98765.4}, {"small", 0.0033, 0.0417},
      {"negative", -123.4, -5.6},  {"step of 10", 1e6, 3.3e6}};
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = {
        LocatedSample(row.low, row.high, 1),
        LocatedSample(row.high, row.low, 2),
        LocatedSample((row.low + row.high) / 2, row.high, 3)};
    const MapExtent e = MapExtentOf(Of(samples));
    kgtest::ScopedGraph map(3);
    _kvGraphLoadDiscPnts(map.get(), samples.data(), 3);
    _kvGraphSetCoordExtr(map.get(), e.minimum, e.maximum);
    _kvGraphSetDataExtr(map.get(), e.values.minimum, e.values.maximum);
    _kvGraphCptLocmParam(map.get());
    EXPECT_EQ(MarksDrawn(map.get(), DrawMap), 3) << row.name;

    std::vector<double> x = {row.low, row.high, row.high};
    std::vector<double> y = {row.high, row.low, row.high};
    const DataWindow extent = AxisExtent(Widened(WindowOf(x, y)));
    kgtest::ScopedGraph cross(8);
    _kvGraphLoadCrosData(cross.get(), x.data(), y.data(), 3);
    _kvGraphSetDataExtr(cross.get(), extent.minimum, extent.maximum);
    EXPECT_EQ(MarksDrawn(cross.get(), _kvGraphDrawCrosPlt), 3) << row.name;
  }
}

}  // namespace
}  // namespace korvagraph::analysis
