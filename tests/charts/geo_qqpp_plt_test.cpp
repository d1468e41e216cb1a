// The Q-Q / P-P plot through the exports: the six windowed statistics, the
// pairs of the whole samples and the drawing shared with the normal Q-Q plot.
#include "charts/geo_qqpp_plt.h"

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

// The six results of one compute step.
struct Results {
  LONG count1 = -7;
  double mean1 = -7.0;
  double deviation1 = -7.0;
  LONG count2 = -7;
  double mean2 = -7.0;
  double deviation2 = -7.0;
};

// A Q-Q / P-P chart over two host sample arrays kept by the test.
class QqPlot {
 public:
  QqPlot(const std::vector<double>& first, double first_min, double first_max,
         const std::vector<double>& second, double second_min,
         double second_max, LONG selector = 0)
      : first_(MakeSamples(first)), second_(MakeSamples(second)), graph_(5) {
    _kvGraphLoadDiscPnts(graph(), first_.data(),
                         static_cast<LONG>(first_.size()));
    _kvGraphLoadDiscPnts2(graph(), second_.data(),
                          static_cast<LONG>(second_.size()));
    _kvGraphSetDataExtr(graph(), first_min, first_max);
    _kvGraphSetDataExtr2(graph(), second_min, second_max);
    _kvGraphSetQqppType(graph(), selector);
    _kvGraphSetAxiName(graph(), "Lead", "Zinc");
  }

  CKorvaGraph* graph() const { return graph_.get(); }
  const CGeoQqppPlt& chart() const {
    return *static_cast<const CGeoQqppPlt*>(graph_.get());
  }

  Results Compute() {
    Results r;
    EXPECT_EQ(_kvGraphCptQqppParam(graph(), r.count1, r.mean1, r.deviation1,
                                   r.count2, r.mean2, r.deviation2),
              1);
    return r;
  }

  std::vector<std::string> Draw(int width = 400, int height = 400) {
    RecordingWindow window(width, height);
    EXPECT_EQ(_kvGraphDrawQqppPlt(graph(), window.Wnd()), 1);
    EXPECT_TRUE(window.LedgerBalanced());
    return window.Take();
  }

 private:
  std::vector<KvDiscPnt> first_;
  std::vector<KvDiscPnt> second_;
  ScopedGraph graph_;
};

TEST(QqPlotTest, WindowedStatisticsOfBothSamples) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    std::vector<double> first;
    double first_min, first_max;
    std::vector<double> second;
    double second_min, second_max;
    Results expected;
  } rows[] = {
      {"all inside", {1, 2, 3, 4}, 0, 10, {10, 20}, 0, 100,
       {4, 2.5, std::sqrt(1.25), 2, 15, 5}},
      {"values on the bounds count", {1, 2, 3}, 1, 3, {5, 6, 7}, 6, 6,
       {3, 2, std::sqrt(2.0 / 3.0), 1, 6, 0}},
      {"values outside are left out", {-5, 1, 3, 50}, 0, 10, {1, 2, 99}, 0, 2,
       {2, 2, 1, 2, 1.5, 0.5}},
      {"a window that excludes everything: no values", {1, 2, 3}, 50, 60,
       {4, 5}, 0, 10, {0, 0, 0, 2, 4.5, 0.5}},
      {"a value that is not a number counts as inside", {1, nan, 3}, 0, 10,
       {2}, 0, 10, {3, nan, nan, 1, 2, 0}},
  };
  for (const Row& row : rows) {
    QqPlot qq(row.first, row.first_min, row.first_max, row.second,
              row.second_min, row.second_max);
    const Results r = qq.Compute();
    const Results& e = row.expected;
    EXPECT_EQ(r.count1, e.count1) << row.name;
    EXPECT_EQ(r.count2, e.count2) << row.name;
    const double got[] = {r.mean1, r.deviation1, r.mean2, r.deviation2};
    const double want[] = {e.mean1, e.deviation1, e.mean2, e.deviation2};
    for (int i = 0; i < 4; ++i) {
      if (std::isnan(want[i])) {
        EXPECT_TRUE(std::isnan(got[i])) << row.name << " result " << i;
      } else {
        EXPECT_NEAR(got[i], want[i], 1e-12) << row.name << " result " << i;
      }
    }
    // The pairs are formed from the whole samples: room for min(P, Q).
    EXPECT_TRUE(qq.chart().pairs().HasArray()) << row.name;
    EXPECT_EQ(qq.chart().pairs().capacity(),
              static_cast<LONG>(std::min(row.first.size(), row.second.size())))
        << row.name;
  }
}

TEST(QqPlotTest, SamplesOfTenAndSevenGiveSevenPairs) {
  QqPlot qq({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 100,
            {3, 1, 4, 1, 5, 9, 2}, 0, 100);
  const Results r = qq.Compute();
  EXPECT_EQ(r.count1, 10);
  EXPECT_EQ(r.count2, 7);
  EXPECT_EQ(qq.chart().pairs().capacity(), 7);
  EXPECT_EQ(qq.chart().pairs().count(), 7);
}

TEST(QqPlotTest, NothingToComputeLeavesTheResultsUntouched) {
  std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
  struct Row {
    const char* name;
    KvDiscPnt* first;
    KvDiscPnt* second;
  } rows[] = {
      {"no first sample", nullptr, samples.data()},
      {"no second sample", samples.data(), nullptr},
      {"no sample at all", nullptr, nullptr},
  };
  for (const Row& row : rows) {
    ScopedGraph graph(5);
    _kvGraphLoadDiscPnts(graph.get(), row.first, 3);
    _kvGraphLoadDiscPnts2(graph.get(), row.second, 3);
    Results r;
    EXPECT_EQ(_kvGraphCptQqppParam(graph.get(), r.count1, r.mean1,
                                   r.deviation1, r.count2, r.mean2,
                                   r.deviation2),
              1)
        << row.name;
    EXPECT_EQ(r.count1, -7) << row.name;
    EXPECT_EQ(r.mean1, -7.0) << row.name;
    EXPECT_EQ(r.deviation1, -7.0) << row.name;
    EXPECT_EQ(r.count2, -7) << row.name;
    EXPECT_EQ(r.mean2, -7.0) << row.name;
    EXPECT_EQ(r.deviation2, -7.0) << row.name;
    const auto& chart = *static_cast<const CGeoQqppPlt*>(graph.get());
    EXPECT_FALSE(chart.pairs().HasArray()) << row.name;
  }
}

TEST(QqPlotTest, NegativeAndZeroCountsAreEmptySamples) {
  std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
  ScopedGraph graph(5);
  RecordingWindow window(300, 300);
  _kvGraphLoadDiscPnts(graph.get(), samples.data(), -4);
  _kvGraphLoadDiscPnts2(graph.get(), samples.data(), 0);
  _kvGraphSetDataExtr(graph.get(), 0, 10);
  _kvGraphSetDataExtr2(graph.get(), 0, 10);
  Results r;
  EXPECT_EQ(_kvGraphCptQqppParam(graph.get(), r.count1, r.mean1, r.deviation1,
                                 r.count2, r.mean2, r.deviation2),
            1);
  EXPECT_EQ(r.count1, 0);
  EXPECT_EQ(r.count2, 0);
  const auto& chart = *static_cast<const CGeoQqppPlt*>(graph.get());
  EXPECT_EQ(chart.pairs().capacity(), 0);
  EXPECT_EQ(chart.pairs().count(), 0);
  EXPECT_EQ(_kvGraphDrawQqppPlt(graph.get(), window.Wnd()), 1);
  EXPECT_TRUE(window.LedgerBalanced());
  // The frame is drawn, no point.
  EXPECT_EQ(LinesStartingWith(window.Take(), "Ellipse ").size(), 0u);
}

TEST(QqPlotTest, LedgerBalancedAfterEveryExport) {
  std::vector<KvDiscPnt> first = MakeSamples({3, 1, 4, 1, 5, 9, 2, 6});
  std::vector<KvDiscPnt> second = MakeSamples({2, 7, 1, 8, 2});
  RecordingWindow window(400, 300);
  ScopedGraph graph(5);
  CKorvaGraph* g = graph.get();
  Results r;
  const struct {
    const char* name;
    std::function<LONG()> call;
  } steps[] = {
      {"load first", [&] { return _kvGraphLoadDiscPnts(g, first.data(), 8); }},
      {"load second",
       [&] { return _kvGraphLoadDiscPnts2(g, second.data(), 5); }},
      {"first window", [&] { return _kvGraphSetDataExtr(g, 0, 10); }},
      {"second window", [&] { return _kvGraphSetDataExtr2(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Lead", "Zinc"); }},
      {"selector", [&] { return _kvGraphSetQqppType(g, 0); }},
      {"draw before compute",
       [&] { return _kvGraphDrawQqppPlt(g, window.Wnd()); }},
      {"compute",
       [&] {
         return _kvGraphCptQqppParam(g, r.count1, r.mean1, r.deviation1,
                                     r.count2, r.mean2, r.deviation2);
       }},
      {"draw", [&] { return _kvGraphDrawQqppPlt(g, window.Wnd()); }},
      {"draw without window", [&] { return _kvGraphDrawQqppPlt(g, nullptr); }},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(step.call(), 1) << step.name;
    EXPECT_TRUE(window.LedgerBalanced()) << step.name;
  }
  EXPECT_EQ(r.count1, 8);
  EXPECT_EQ(r.count2, 5);
}

TEST(QqPlotTest, DrawingBeforeAnyComputeOnlyRepaints) {
  QqPlot qq({1, 2, 3}, 0, 10, {1, 2}, 0, 10);
  EXPECT_EQ(qq.Draw(), kRepaintOnly);
}

TEST(QqPlotTest, ProbabilityFormAxesRunFromZeroToOnePointTwo) {
  QqPlot qq({1, 2, 3, 4}, 0, 10, {2, 3, 5}, 0, 50, 1);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const PlotFrame& frame = qq.chart().frame();
  for (const AxisScale* axis : {&frame.x, &frame.y}) {
    EXPECT_DOUBLE_EQ(axis->origin, 0.0);
    EXPECT_NEAR(axis->range, 1.2, 1e-12);
    EXPECT_NEAR(axis->step, 0.2, 1e-12);
  }
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen dot 1 B4B4B4").size(), 10u);
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
  EXPECT_EQ(TextsDrawn(log),
            (std::vector<std::string>{"Lead", "0", "0.4", "0.8", "Zinc", "0",
                                      "0.4", "0.8"}));
  // Every probability pair lies on the axes and is drawn.
  EXPECT_GT(qq.chart().pairs().count(), 0);
  EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(),
            static_cast<size_t>(qq.chart().pairs().count()));
}

TEST(QqPlotTest, QuantilePairsAsMarkersInTheCallLog) {
  // 393 x 393: a 350-pixel plot over the widened range 35, 10 pixels a unit.
  QqPlot qq({40, 10, 30, 20}, 10, 40, {20, 40, 10, 30}, 10, 40);
  qq.Compute();
  const auto log = qq.Draw(393, 393);
  EXPECT_EQ(CallsStartingWith(log, "Rectangle "),
            std::vector<std::string>{"Rectangle 0 0 350 350"});
  const std::vector<std::string> head(log.begin(), log.begin() + 5);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "InvalidateRect erase=1", "UpdateWindow", "GetDC",
                      "SelectObject pen solid 1 0000FF",
                      "SetViewportOrg 35 8"}));
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "),
            (std::vector<std::string>{
                CircleMarkerLine(0, 350, 35, 8, 2, "FF0000"),
                CircleMarkerLine(100, 250, 35, 8, 2, "FF0000"),
                CircleMarkerLine(200, 150, 35, 8, 2, "FF0000"),
                CircleMarkerLine(300, 50, 35, 8, 2, "FF0000"),
            }));
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
}

TEST(QqPlotTest, DegenerateWindowsDrawOnlyTheRepaint) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    double first_min, first_max, second_min, second_max;
  } rows[] = {
      {"both windows of zero span", 5, 5, 7, 7},
      {"infinite window", 0, inf, 0, 10},
      {"window bound not a number", nan, 10, 0, 10},
  };
  for (const Row& row : rows) {
    // Without a range guard of its own the chart would divide by a zero
    // range; the frame draws nothing it cannot scale.
    QqPlot qq({5, 6}, row.first_min, row.first_max, {7, 8}, row.second_min,
              row.second_max);
    qq.Compute();
    EXPECT_EQ(qq.Draw(), kRepaintOnly) << row.name;
  }
}

TEST(QqPlotTest, ZeroSizedWindowDrawsNothingButTheRepaint) {
  QqPlot qq({1, 2, 3}, 0, 10, {1, 2}, 0, 10);
  qq.Compute();
  EXPECT_EQ(qq.Draw(0, 0), kRepaintOnly);
  EXPECT_EQ(qq.Draw(30, 30), kRepaintOnly);
}

}  // namespace
