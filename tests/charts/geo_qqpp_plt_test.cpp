// The Q-Q / P-P plot through the exports: the six windowed statistics, the
// pairs of the whole samples and the drawing shared with the normal Q-Q plot.
#include "charts/geo_qqpp_plt.h"

#include <algorithm>
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

// The six results of one compute step, preset to values no step gives.
struct Results {
  LONG count1 = -7;
  double mean1 = -7, deviation1 = -7;
  LONG count2 = -7;
  double mean2 = -7, deviation2 = -7;
};

// A Q-Q / P-P chart over two host samples kept here.
struct QqPlot {
  QqPlot(const std::vector<double>& a, double a_lo, double a_hi,
         const std::vector<double>& b, double b_lo, double b_hi,
         LONG selector = 0)
      : first(MakeSamples(a)), second(MakeSamples(b)), graph(5) {
    _kvGraphLoadDiscPnts(graph.get(), first.data(), Size(first));
    _kvGraphLoadDiscPnts2(graph.get(), second.data(), Size(second));
    _kvGraphSetDataExtr(graph.get(), a_lo, a_hi);
    _kvGraphSetDataExtr2(graph.get(), b_lo, b_hi);
    _kvGraphSetQqppType(graph.get(), selector);
    _kvGraphSetAxiName(graph.get(), "Lead", "Zinc");
  }
  static LONG Size(const std::vector<KvDiscPnt>& v) {
    return static_cast<LONG>(v.size());
  }
  const CGeoQqppPlt& chart() const {
    return *static_cast<const CGeoQqppPlt*>(graph.get());
  }
  LONG Compute(Results& r) {
    return _kvGraphCptQqppParam(graph.get(), r.count1, r.mean1, r.deviation1,
                                r.count2, r.mean2, r.deviation2);
  }
  std::vector<std::string> Draw(int width = 400, int height = 400) {
    return DrawAndLog(_kvGraphDrawQqppPlt, graph.get(), width, height);
  }

  std::vector<KvDiscPnt> first;
  std::vector<KvDiscPnt> second;
  ScopedGraph graph;
};

void ExpectSame(double got, double want, const char* what) {
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what;
  } else {
    EXPECT_NEAR(got, want, 1e-12) << what;
  }
}

TEST(QqPlotTest, WindowedStatisticsAndPairsOfTheWholeSamples) {
  struct Row {
    const char* name;
    std::vector<double> a;
    double a_lo, a_hi;
    std::vector<double> b;
    double b_lo, b_hi;
    Results want;
    LONG pairs;  // -1: the engine's business
  } rows[] = {
      {"samples of 10 and 7 give 7 pairs", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       0, 100, {3, 1, 4, 1, 5, 9, 2}, 0, 100,
       {10, 5.5, std::sqrt(8.25), 7, 25.0 / 7,
        std::sqrt(137.0 / 7 - 625.0 / 49)},
       7},
      {"values on the bounds count", {1, 2, 3}, 1, 3, {5, 6, 7}, 6, 6,
       {3, 2, std::sqrt(2.0 / 3), 1, 6, 0}, -1},
      {"values outside are left out", {-5, 1, 3, 50}, 0, 10, {1, 2, 99}, 0, 2,
       {2, 2, 1, 2, 1.5, 0.5}, -1},
      {"a first window excluding everything: no values", {1, 2, 3}, 50, 60,
       {4, 5}, 0, 10, {0, 0, 0, 2, 4.5, 0.5}, -1},
      {"a value that is not a number counts as inside", {1, kNaN, 3}, 0, 10,
       {2}, 0, 10, {3, kNaN, kNaN, 1, 2, 0}, -1},
      {"counts -4 and 0 are empty samples", {1}, 0, 10, {1}, 0, 10,
       {0, 0, 0, 0, 0, 0}, 0},
  };
  for (const Row& row : rows) {
    QqPlot qq(row.a, row.a_lo, row.a_hi, row.b, row.b_lo, row.b_hi);
    const bool empty = row.want.count1 == 0 && row.want.count2 == 0;
    if (empty) {
      _kvGraphLoadDiscPnts(qq.graph.get(), qq.first.data(), -4);
      _kvGraphLoadDiscPnts2(qq.graph.get(), qq.second.data(), 0);
    }
    Results r;
    EXPECT_EQ(qq.Compute(r), 1) << row.name;
    EXPECT_EQ(r.count1, row.want.count1) << row.name;
    EXPECT_EQ(r.count2, row.want.count2) << row.name;
    ExpectSame(r.mean1, row.want.mean1, row.name);
    ExpectSame(r.deviation1, row.want.deviation1, row.name);
    ExpectSame(r.mean2, row.want.mean2, row.name);
    ExpectSame(r.deviation2, row.want.deviation2, row.name);
    // Room for min(P, Q) pairs, formed from the whole samples.
    const QuantilePairs& pairs = qq.chart().pairs();
    const size_t m = empty ? 0 : std::min(row.a.size(), row.b.size());
    EXPECT_EQ(pairs.capacity(), static_cast<LONG>(m)) << row.name;
    if (row.pairs >= 0) {
      EXPECT_EQ(pairs.count(), row.pairs) << row.name;
    }
  }
}

TEST(QqPlotTest, NothingToComputeLeavesTheResultsUntouched) {
  std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
  for (int which = 0; which < 3; ++which) {
    ScopedGraph graph(5);
    _kvGraphLoadDiscPnts(graph.get(), which == 1 ? samples.data() : nullptr, 3);
    _kvGraphLoadDiscPnts2(graph.get(), which == 2 ? samples.data() : nullptr,
                          3);
    Results r;
    EXPECT_EQ(_kvGraphCptQqppParam(graph.get(), r.count1, r.mean1,
                                   r.deviation1, r.count2, r.mean2,
                                   r.deviation2),
              1);
    const double got[] = {double(r.count1), r.mean1, r.deviation1,
                          double(r.count2), r.mean2, r.deviation2};
    for (double value : got) EXPECT_EQ(value, -7.0) << "null sample " << which;
  }
}

TEST(QqPlotTest, LedgerBalancedAfterEveryExport) {
  QqPlot qq({3, 1, 4, 1, 5, 9, 2, 6}, 0, 10, {2, 7, 1, 8, 2}, 0, 10);
  CKorvaGraph* g = qq.graph.get();
  CanvasWindow window(400, 300);
  Results r;
  const std::pair<const char*, std::function<LONG()>> steps[] = {
      {"load", [&] { return _kvGraphLoadDiscPnts(g, qq.first.data(), 8); }},
      {"window", [&] { return _kvGraphSetDataExtr(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Lead", "Zinc"); }},
      {"draw early", [&] { return _kvGraphDrawQqppPlt(g, window.Wnd()); }},
      {"compute", [&] { return qq.Compute(r); }},
      {"draw", [&] { return _kvGraphDrawQqppPlt(g, window.Wnd()); }},
      {"no window", [&] { return _kvGraphDrawQqppPlt(g, nullptr); }}};
  for (const auto& [name, call] : steps) EXPECT_EQ(Balanced(call, name), 1);
  EXPECT_EQ(r.count1, 8);
}

TEST(QqPlotTest, ProbabilityFormAxesRunFromZeroToOnePointTwo) {
  QqPlot qq({1, 2, 3, 4}, 0, 10, {2, 3, 5}, 0, 50, 1);
  Results r;
  qq.Compute(r);
  const auto log = qq.Draw(400, 400);
  for (const AxisScale* axis : {&qq.chart().frame().x, &qq.chart().frame().y}) {
    EXPECT_EQ(axis->origin, 0.0);
    EXPECT_NEAR(axis->range, 1.2, 1e-12);
    EXPECT_NEAR(axis->step, 0.2, 1e-12);
  }
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen dot 1 B4B4B4").size(), 10u);
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
  EXPECT_EQ(TextsDrawn(log), (std::vector<std::string>{
                                 "Lead", "0", "0.4", "0.8", "Zinc", "0",
                                 "0.4", "0.8"}));
  EXPECT_GT(qq.chart().pairs().count(), 0);
  EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(),
            static_cast<size_t>(qq.chart().pairs().count()));
}

TEST(QqPlotTest, QuantilePairsAsMarkersInTheCallLog) {
  // 393 x 393: a 350-pixel plot over the widened range 35, 10 pixels a unit.
  QqPlot qq({40, 10, 30, 20}, 10, 40, {20, 40, 10, 30}, 10, 40);
  Results r;
  qq.Compute(r);
  const auto log = qq.Draw(393, 393);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 5),
            (std::vector<std::string>{"InvalidateRect erase=1", "UpdateWindow",
                                      "GetDC", "SelectObject pen solid 1 0000FF",
                                      "SetViewportOrg 35 8"}));
  std::vector<std::string> markers;
  for (int i = 0; i < 4; ++i) {
    markers.push_back(CircleMarkerLine(100 * i, 350 - 100 * i, 35, 8, 2,
                                       "FF0000"));
  }
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "), markers);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
}

TEST(QqPlotTest, DrawsOnlyTheRepaintWhenItCannotScale) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    double a_lo, a_hi, b_lo, b_hi;
    int width, height;
    bool compute;
  } rows[] = {
      {"before any compute: no pair array", 0, 10, 0, 10, 400, 400, false},
      // The chart has no range guard of its own; a zero range would divide.
      {"both windows of zero span", 5, 5, 7, 7, 400, 400, true},
      {"infinite window", 0, inf, 0, 10, 400, 400, true},
      {"window bound not a number", kNaN, 10, 0, 10, 400, 400, true},
      {"client area of zero size", 0, 10, 0, 10, 0, 0, true},
      {"client area inside the margins", 0, 10, 0, 10, 30, 30, true},
  };
  for (const Row& row : rows) {
    QqPlot qq({5, 6}, row.a_lo, row.a_hi, {7, 8}, row.b_lo, row.b_hi);
    Results r;
    if (row.compute) qq.Compute(r);
    EXPECT_EQ(qq.Draw(row.width, row.height), RepaintOnly()) << row.name;
  }
}

}  // namespace
