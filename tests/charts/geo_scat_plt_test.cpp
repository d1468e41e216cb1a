// The scatter plot through the exports: the eight statistics of the compute
// step and the frame and points of the drawing.
#include "charts/geo_scat_plt.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "include/KorvaGraphLib.h"
#include "test_support/chart_log.h"
#include "test_support/recording.h"
#include "test_support/samples.h"

namespace {

using kgtest::CallsStartingWith;
using kgtest::CallsWithPen;
using kgtest::CircleMarkerLine;
using kgtest::LinesStartingWith;
using kgtest::MakeSamples;
using kgtest::RecordingWindow;
using kgtest::ScopedGraph;
using kgtest::TextsDrawn;

const std::vector<std::string> kRepaintOnly = {"InvalidateRect erase=1",
                                               "UpdateWindow"};
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The eight results of one compute step, preset to values no step gives.
struct Results {
  double r1 = -7.0;
  LONG r2 = -7;
  double r3 = -7.0;
  double r4 = -7.0;
  LONG r5 = -7;
  double r6 = -7.0;
  double r7 = -7.0;
  double r8 = -7.0;
};

LONG Compute(CKorvaGraph* graph, Results& r) {
  return _kvGraphCptScatParam(graph, r.r1, r.r2, r.r3, r.r4, r.r5, r.r6, r.r7,
                              r.r8);
}

// A scatter plot over host points (x, y) kept by the test.
class ScatterPlot {
 public:
  ScatterPlot(const std::vector<double>& x, const std::vector<double>& y,
              double x_min, double x_max, double y_min, double y_max)
      : points_(MakeSamples(x, y)), graph_(6) {
    _kvGraphLoadDiscPnts(graph(), points_.data(),
                         static_cast<LONG>(points_.size()));
    _kvGraphSetDataExtr(graph(), x_min, x_max);
    _kvGraphSetDataExtr2(graph(), y_min, y_max);
    _kvGraphSetAxiName(graph(), "Lead", "Zinc");
  }

  CKorvaGraph* graph() const { return graph_.get(); }
  const CGeoScatPlt& chart() const {
    return *static_cast<const CGeoScatPlt*>(graph_.get());
  }

  std::vector<std::string> Draw(int width = 400, int height = 400) {
    RecordingWindow window(width, height);
    EXPECT_EQ(_kvGraphDrawScatPlt(graph(), window.Wnd()), 1);
    EXPECT_TRUE(window.LedgerBalanced());
    return window.Take();
  }

 private:
  std::vector<KvDiscPnt> points_;
  ScopedGraph graph_;
};

void ExpectNear(double got, double want, const std::string& what) {
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what;
  } else {
    EXPECT_NEAR(got, want, 1e-12) << what;
  }
}

TEST(ScatterPlotTest, StatisticsOfTheValuesInsideEachWindow) {
  struct Row {
    const char* name;
    std::vector<double> x;
    std::vector<double> y;
    double x_min, x_max, y_min, y_max;
    Results expected;
  } rows[] = {
      // (4, 200) lies above the Y window: it counts for X, not for Y, and
      // not in the correlations over the pairs inside both windows.
      {"y outside its window still counts for x", {1, 2, 3, 4, 50},
       {10, 20, 30, 200, 40}, 0, 37, 0, 100,
       {1.0, 4, 2.5, std::sqrt(1.25), 4, 25, std::sqrt(125.0), 1.0}},
      {"values on the bounds count", {0, 5, 10}, {10, 0, 5}, 0, 10, 0, 10,
       {-0.5, 3, 5, std::sqrt(50.0 / 3.0), 3, 5, std::sqrt(50.0 / 3.0),
        -0.5}},
      {"a value that is not a number is left out", {1, kNaN, 3}, {1, 2, 3},
       0, 10, 0, 10, {1.0, 2, 2, 1, 3, 2, std::sqrt(2.0 / 3.0), 1.0}},
      {"nothing inside: statistics of no values", {1, 2}, {3, 4}, 10, 20, 10,
       20, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    ScatterPlot plot(row.x, row.y, row.x_min, row.x_max, row.y_min,
                     row.y_max);
    Results r;
    EXPECT_EQ(Compute(plot.graph(), r), 1) << row.name;
    const Results& e = row.expected;
    EXPECT_EQ(r.r2, e.r2) << row.name;
    EXPECT_EQ(r.r5, e.r5) << row.name;
    ExpectNear(r.r1, e.r1, std::string(row.name) + " r1");
    ExpectNear(r.r3, e.r3, std::string(row.name) + " r3");
    ExpectNear(r.r4, e.r4, std::string(row.name) + " r4");
    ExpectNear(r.r6, e.r6, std::string(row.name) + " r6");
    ExpectNear(r.r7, e.r7, std::string(row.name) + " r7");
    ExpectNear(r.r8, e.r8, std::string(row.name) + " r8");
    // The engine keeps the loaded count: every point is still drawn.
    EXPECT_EQ(plot.chart().point_count(), static_cast<LONG>(row.x.size()))
        << row.name;
  }
}

TEST(ScatterPlotTest, NothingToComputeLeavesTheResultsUntouched) {
  ScopedGraph graph(6);
  _kvGraphSetDataExtr(graph.get(), 0, 10);
  _kvGraphSetDataExtr2(graph.get(), 0, 10);
  Results r;
  EXPECT_EQ(Compute(graph.get(), r), 1);
  EXPECT_EQ(r.r1, -7.0);
  EXPECT_EQ(r.r2, -7);
  EXPECT_EQ(r.r5, -7);
  EXPECT_EQ(r.r8, -7.0);
  _kvGraphLoadDiscPnts(graph.get(), nullptr, 5);
  EXPECT_EQ(Compute(graph.get(), r), 1);
  EXPECT_EQ(r.r3, -7.0);
}

TEST(ScatterPlotTest, EmptyAndNegativeCountsGiveEmptyStatistics) {
  std::vector<KvDiscPnt> points = MakeSamples({1, 2}, {3, 4});
  for (LONG count : {0, -5}) {
    ScopedGraph graph(6);
    _kvGraphLoadDiscPnts(graph.get(), points.data(), count);
    _kvGraphSetDataExtr(graph.get(), 0, 10);
    _kvGraphSetDataExtr2(graph.get(), 0, 10);
    Results r;
    EXPECT_EQ(Compute(graph.get(), r), 1) << count;
    EXPECT_EQ(r.r2, 0) << count;
    EXPECT_EQ(r.r5, 0) << count;
    EXPECT_EQ(r.r3, 0.0) << count;
    const auto& chart = *static_cast<const CGeoScatPlt*>(graph.get());
    EXPECT_EQ(chart.point_count(), 0) << count;
  }
}

TEST(ScatterPlotTest, AxesStartAtTheMinimumsAndWidenToNiceSteps) {
  ScatterPlot plot({5}, {120}, 0, 37, 100, 150);
  const auto log = plot.Draw(400, 400);
  const PlotFrame& frame = plot.chart().frame();
  EXPECT_DOUBLE_EQ(frame.x.origin, 0.0);
  EXPECT_DOUBLE_EQ(frame.x.step, 5.0);
  EXPECT_DOUBLE_EQ(frame.x.end, 40.0);
  // Range 50: step 10 and two extra steps, from the minimum itself.
  EXPECT_DOUBLE_EQ(frame.y.origin, 100.0);
  EXPECT_DOUBLE_EQ(frame.y.step, 10.0);
  EXPECT_DOUBLE_EQ(frame.y.end, 170.0);
  EXPECT_EQ(TextsDrawn(log),
            (std::vector<std::string>{"Lead", "0", "10", "20", "30", "Zinc",
                                      "100", "120", "140", "160"}));
  // Seven inner X lines and six inner Y lines.
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen dot 1 B4B4B4").size(), 13u);
}

TEST(ScatterPlotTest, FramePassHasAGreyPassPenAndNoDiagonal) {
  ScatterPlot plot({5}, {120}, 0, 37, 100, 150);
  const auto log = plot.Draw(400, 400);
  const std::vector<std::string> head(log.begin(), log.begin() + 8);
  EXPECT_EQ(head,
            (std::vector<std::string>{
                "InvalidateRect erase=1", "UpdateWindow", "GetDC",
                "SelectObject pen solid 1 646464", "SetViewportOrg 35 8",
                "SelectObject pen solid 1 000000",
                "Rectangle 0 0 357 357 | dev 35 8 392 365 | pen solid 1 "
                "000000 | brush FFFFFF",
                "SelectObject pen solid 1 646464"}));
  EXPECT_TRUE(CallsWithPen(log, "LineTo ", "pen solid 1 000000").empty());
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 2u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
}

TEST(ScatterPlotTest, PointsInsideTheAxesAreDrawnInOrder) {
  // 363 x 396: a 320 x 350 plot, 8 pixels a unit across X (0 to 40) and
  // 5 pixels a unit up Y (100 to 170).
  ScatterPlot plot({0, 39, 40, 41, 10, kNaN, 20},
                   {100, 160, 170, 120, 99, 120, 130}, 0, 37, 100, 150);
  const auto log = plot.Draw(363, 396);
  EXPECT_EQ(CallsStartingWith(log, "Rectangle "),
            std::vector<std::string>{"Rectangle 0 0 320 350"});
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "),
            (std::vector<std::string>{
                // on both origins
                CircleMarkerLine(0, 350, 35, 8, 2, "FF0000"),
                // outside the extents, inside the widened axes
                CircleMarkerLine(312, 50, 35, 8, 2, "FF0000"),
                // on both axis ends
                CircleMarkerLine(320, 0, 35, 8, 2, "FF0000"),
                // x 41 beyond the axis end, y 99 below the origin and an x
                // that is not a number are not drawn
                CircleMarkerLine(160, 200, 35, 8, 2, "FF0000"),
            }));
  EXPECT_EQ(LinesStartingWith(log, "SelectObject pen solid 1 FF0000").size(),
            4u);
}

TEST(ScatterPlotTest, DrawingNeedsNoComputeButPointsAndAWindow) {
  ScatterPlot plot({1, 2}, {3, 4}, 0, 10, 0, 10);
  EXPECT_EQ(LinesStartingWith(plot.Draw(), "Ellipse ").size(), 2u);
  EXPECT_EQ(_kvGraphDrawScatPlt(plot.graph(), nullptr), 1);

  ScopedGraph empty(6);
  _kvGraphSetDataExtr(empty.get(), 0, 10);
  _kvGraphSetDataExtr2(empty.get(), 0, 10);
  RecordingWindow window(400, 400);
  EXPECT_EQ(_kvGraphDrawScatPlt(empty.get(), window.Wnd()), 1);
  EXPECT_EQ(window.Take(), kRepaintOnly);
  EXPECT_TRUE(window.LedgerBalanced());
}

TEST(ScatterPlotTest, DegenerateExtentsAndWindowsDrawOnlyTheRepaint) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    double x_min, x_max, y_min, y_max;
    int width, height;
  } rows[] = {
      {"zero X and Y span", 3, 3, 5, 5, 400, 400},
      {"infinite extent", 0, inf, 0, 10, 400, 400},
      {"extent bound not a number", kNaN, 10, 0, 10, 400, 400},
      {"client area of zero size", 0, 10, 0, 10, 0, 0},
      {"client area smaller than the margins", 0, 10, 0, 10, 20, 20},
  };
  for (const Row& row : rows) {
    ScatterPlot plot({1, 2}, {3, 4}, row.x_min, row.x_max, row.y_min,
                     row.y_max);
    EXPECT_EQ(plot.Draw(row.width, row.height), kRepaintOnly) << row.name;
  }
}

TEST(ScatterPlotTest, LedgerBalancedAfterEveryExport) {
  std::vector<KvDiscPnt> points = MakeSamples({1, 5, 9, 3}, {2, 8, 4, 6});
  RecordingWindow window(400, 300);
  ScopedGraph graph(6);
  CKorvaGraph* g = graph.get();
  Results r;
  const struct {
    const char* name;
    std::function<LONG()> call;
  } steps[] = {
      {"load", [&] { return _kvGraphLoadDiscPnts(g, points.data(), 4); }},
      {"X extent", [&] { return _kvGraphSetDataExtr(g, 0, 10); }},
      {"Y extent", [&] { return _kvGraphSetDataExtr2(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Lead", "Zinc"); }},
      {"draw before compute",
       [&] { return _kvGraphDrawScatPlt(g, window.Wnd()); }},
      {"compute", [&] { return Compute(g, r); }},
      {"draw", [&] { return _kvGraphDrawScatPlt(g, window.Wnd()); }},
      {"draw without window", [&] { return _kvGraphDrawScatPlt(g, nullptr); }},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(step.call(), 1) << step.name;
    EXPECT_TRUE(window.LedgerBalanced()) << step.name;
  }
  EXPECT_EQ(r.r2, 4);
  EXPECT_EQ(r.r5, 4);
}

}  // namespace
