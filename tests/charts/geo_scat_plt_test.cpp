// The scatter plot through the exports: the eight statistics of the compute
// step and the frame and points of the drawing.
#include "charts/geo_scat_plt.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::Balanced;
using kgtest::CallsDrawnWith;
using kgtest::CircleMarkerLine;
using kgtest::DrawAndLog;
using kgtest::LinesStartingWith;
using kgtest::MakeSamples;
using kgtest::RepaintOnly;
using kgtest::ScopedGraph;
using kgtest::TextsDrawn;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The eight results r1..r8 of one compute step; -7 is never a result.
struct Results {
  double r[8] = {-7, -7, -7, -7, -7, -7, -7, -7};
};

// A scatter plot over host points (x, y) kept here.
struct ScatterPlot {
  ScatterPlot(const std::vector<double>& x, const std::vector<double>& y,
              double x_lo, double x_hi, double y_lo, double y_hi)
      : points(MakeSamples(x, y)), graph(6) {
    _kvGraphLoadDiscPnts(graph.get(), points.data(),
                         static_cast<LONG>(points.size()));
    _kvGraphSetDataExtr(graph.get(), x_lo, x_hi);
    _kvGraphSetDataExtr2(graph.get(), y_lo, y_hi);
    _kvGraphSetAxiName(graph.get(), "Lead", "Zinc");
  }
  const CGeoScatPlt& chart() const {
    return *static_cast<const CGeoScatPlt*>(graph.get());
  }
  LONG Compute(Results& out) {
    LONG r2 = -7, r5 = -7;
    double* r = out.r;
    const LONG status = _kvGraphCptScatParam(graph.get(), r[0], r2, r[2],
                                             r[3], r5, r[5], r[6], r[7]);
    r[1] = r2;
    r[4] = r5;
    return status;
  }
  std::vector<std::string> Draw(int width = 400, int height = 400) {
    return DrawAndLog(_kvGraphDrawScatPlt, graph.get(), width, height);
  }

  std::vector<KvDiscPnt> points;
  ScopedGraph graph;
};

TEST(ScatterPlotTest, StatisticsOfTheValuesInsideEachWindow) {
  const double third = 50.0 / 3;
  struct Row {
    const char* name;
    std::vector<double> x, y;
    double x_lo, x_hi, y_lo, y_hi;
    Results want;
  } rows[] = {
      // (4, 200): y above its window, still counted for X; not a pair of the
      // correlations r1 and r8, which the engine forms over both windows.
      {"y outside its window still counts for x", {1, 2, 3, 4, 50},
       {10, 20, 30, 200, 40}, 0, 37, 0, 100,
       {{1, 4, 2.5, std::sqrt(1.25), 4, 25, std::sqrt(125.0), 1}}},
      {"values on the bounds count", {0, 5, 10}, {10, 0, 5}, 0, 10, 0, 10,
       {{-0.5, 3, 5, std::sqrt(third), 3, 5, std::sqrt(third), -0.5}}},
      {"a value that is not a number is left out", {1, kNaN, 3}, {1, 2, 3},
       0, 10, 0, 10, {{1, 2, 2, 1, 3, 2, std::sqrt(2.0 / 3), 1}}},
      {"nothing inside: statistics of no values", {1, 2}, {3, 4}, 10, 20, 10,
       20, {{0, 0, 0, 0, 0, 0, 0, 0}}},
      {"no points: results untouched", {}, {}, 0, 10, 0, 10, {}},
  };
  for (const Row& row : rows) {
    ScatterPlot plot(row.x, row.y, row.x_lo, row.x_hi, row.y_lo, row.y_hi);
    Results got;
    EXPECT_EQ(plot.Compute(got), 1) << row.name;
    for (int i = 0; i < 8; ++i) {
      EXPECT_NEAR(got.r[i], row.want.r[i], 1e-12) << row.name << " r" << i + 1;
    }
    // The engine keeps the loaded count: every point is still drawn.
    EXPECT_EQ(plot.chart().point_count(), static_cast<LONG>(row.x.size()))
        << row.name;
  }
}

TEST(ScatterPlotTest, EmptyAndNegativeCountsGiveEmptyStatistics) {
  for (LONG count : {0, -5}) {
    ScatterPlot plot({1, 2}, {3, 4}, 0, 10, 0, 10);
    _kvGraphLoadDiscPnts(plot.graph.get(), plot.points.data(), count);
    Results got;
    plot.Compute(got);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(got.r[i], 0.0) << count << i;
    EXPECT_EQ(plot.chart().point_count(), 0) << count;
  }
}

TEST(ScatterPlotTest, FrameFromTheMinimumsWithAGreyPassPenAndNoDiagonal) {
  ScatterPlot plot({5}, {120}, 0, 37, 100, 150);
  const auto log = plot.Draw(400, 400);
  const PlotFrame& frame = plot.chart().frame();
  EXPECT_EQ(std::vector<double>({frame.x.origin, frame.x.step, frame.x.end}),
            std::vector<double>({0, 5, 40}));
  // Range 50: step 10 and two extra steps, from the minimum itself.
  EXPECT_EQ(std::vector<double>({frame.y.origin, frame.y.step, frame.y.end}),
            std::vector<double>({100, 10, 170}));
  EXPECT_EQ(TextsDrawn(log),
            (std::vector<std::string>{"Lead", "0", "10", "20", "30", "Zinc",
                                      "100", "120", "140", "160"}));
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen dot 1 B4B4B4").size(), 13u);
  EXPECT_TRUE(CallsDrawnWith(log, "LineTo ", "pen solid 1 000000").empty());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 7),
            (std::vector<std::string>{
                "InvalidateRect erase=1", "UpdateWindow", "GetDC",
                "SelectObject pen solid 1 646464", "SetViewportOrg 35 8",
                "SelectObject pen solid 1 000000",
                "Rectangle 0 0 357 357 | dev 35 8 392 365 | pen solid 1 "
                "000000 | brush FFFFFF"}));
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
}

TEST(ScatterPlotTest, PointsInsideTheAxesAreDrawnInOrder) {
  // 363 x 396: a 320 x 350 plot, 8 pixels a unit across X (0 to 40) and
  // 5 pixels a unit up Y (100 to 170).
  ScatterPlot plot({0, 39, 40, 41, 10, kNaN, 20},
                   {100, 160, 170, 120, 99, 120, 130}, 0, 37, 100, 150);
  const auto log = plot.Draw(363, 396);
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "),
            (std::vector<std::string>{
                CircleMarkerLine(0, 350, 35, 8, 2, "FF0000"),   // origins
                CircleMarkerLine(312, 50, 35, 8, 2, "FF0000"),  // widened axes
                CircleMarkerLine(320, 0, 35, 8, 2, "FF0000"),   // axis ends
                // not drawn: x 41 beyond the end, y 99 below the origin, NaN
                CircleMarkerLine(160, 200, 35, 8, 2, "FF0000"),
            }));
}

TEST(ScatterPlotTest, DrawsOnlyTheRepaintWhenItCannotDraw) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    std::vector<double> x;
    double x_lo, x_hi, y_lo, y_hi;
    int width, height;
  } rows[] = {
      {"no points", {}, 0, 10, 0, 10, 400, 400},
      {"zero X and Y span", {1}, 3, 3, 5, 5, 400, 400},
      {"infinite extent", {1}, 0, inf, 0, 10, 400, 400},
      {"extent bound not a number", {1}, kNaN, 10, 0, 10, 400, 400},
      {"client area of zero size", {1}, 0, 10, 0, 10, 0, 0},
      {"client area inside the margins", {1}, 0, 10, 0, 10, 20, 20},
  };
  for (const Row& row : rows) {
    ScatterPlot plot(row.x, row.x, row.x_lo, row.x_hi, row.y_lo, row.y_hi);
    EXPECT_EQ(plot.Draw(row.width, row.height), RepaintOnly()) << row.name;
  }
}

TEST(ScatterPlotTest, LedgerBalancedAfterEveryExport) {
  ScatterPlot plot({1, 5, 9, 3}, {2, 8, 4, 6}, 0, 10, 0, 10);
  CKorvaGraph* g = plot.graph.get();
  CanvasWindow window(400, 300);
  Results got;
  const std::pair<const char*, std::function<LONG()>> steps[] = {
      {"load", [&] { return _kvGraphLoadDiscPnts(g, plot.points.data(), 4); }},
      {"X extent", [&] { return _kvGraphSetDataExtr(g, 0, 10); }},
      {"Y extent", [&] { return _kvGraphSetDataExtr2(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Lead", "Zinc"); }},
      {"draw early", [&] { return _kvGraphDrawScatPlt(g, window.Wnd()); }},
      {"compute", [&] { return plot.Compute(got); }},
      {"draw", [&] { return _kvGraphDrawScatPlt(g, window.Wnd()); }},
      {"no window", [&] { return _kvGraphDrawScatPlt(g, nullptr); }}};
  for (const auto& [name, call] : steps) EXPECT_EQ(Balanced(call, name), 1);
  EXPECT_EQ(got.r[1], 4);
}

}  // namespace
