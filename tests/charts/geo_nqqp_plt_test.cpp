// The normal Q-Q plot through the exports: normal scores written into the
// score records, the score window, the output pairs and the drawing.
#include "charts/geo_nqqp_plt.h"

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

constexpr double kNoScore = -999.0;
constexpr double kTolerance = 1e-9;
// Standard normal quantiles of 0.875, 0.625 and 5/6.
constexpr double kZ875 = 1.1503493803760079;
constexpr double kZ625 = 0.31863936396437514;
constexpr double kZ833 = 0.9674215661017014;

const std::vector<std::string> kRepaintOnly = {"InvalidateRect erase=1",
                                               "UpdateWindow"};

// A normal Q-Q chart over host arrays kept by the test: the sample under
// study and as many zeroed score records.
class NormalQq {
 public:
  explicit NormalQq(const std::vector<double>& values, double minimum = 0.0,
                    double maximum = 100.0, LONG selector = 0)
      : samples_(MakeSamples(values)),
        records_(MakeSamples(std::vector<double>(values.size(), 0.0))),
        graph_(4) {
    _kvGraphLoadDiscPnts(graph(), records_.data(), Count(records_));
    _kvGraphLoadDiscPnts2(graph(), samples_.data(), Count(samples_));
    _kvGraphSetDataExtr2(graph(), minimum, maximum);
    _kvGraphSetNqqpType(graph(), selector);
    _kvGraphSetAxiName(graph(), "Normal score", "Lead");
  }

  static LONG Count(const std::vector<KvDiscPnt>& v) {
    return static_cast<LONG>(v.size());
  }
  CKorvaGraph* graph() const { return graph_.get(); }
  const CGeoNqqpPlt& chart() const {
    return *static_cast<const CGeoNqqpPlt*>(graph_.get());
  }
  std::vector<KvDiscPnt>& records() { return records_; }

  void Compute() { EXPECT_EQ(_kvGraphCptNqqpParam(graph()), 1); }

  std::vector<std::pair<double, double>> Pairs() const {
    LONG count = -1;
    EXPECT_EQ(_kvGraphOutPutNqqpPntNum(graph(), count), 1);
    std::vector<double> x(static_cast<size_t>(count < 0 ? 0 : count));
    std::vector<double> y(x.size());
    EXPECT_EQ(_kvGraphOutPutNqqpPnt(graph(), x.data(), y.data()), 1);
    std::vector<std::pair<double, double>> pairs;
    for (size_t i = 0; i < x.size(); ++i) pairs.emplace_back(x[i], y[i]);
    return pairs;
  }

  std::vector<std::string> Draw(int width = 400, int height = 400) {
    RecordingWindow window(width, height);
    EXPECT_EQ(_kvGraphDrawNqqpPlt(graph(), window.Wnd()), 1);
    EXPECT_TRUE(window.LedgerBalanced());
    return window.Take();
  }

 private:
  std::vector<KvDiscPnt> samples_;
  std::vector<KvDiscPnt> records_;
  ScopedGraph graph_;
};

TEST(NormalQqTest, ScoresReplaceRecordValuesAndSetTheScoreWindow) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double minimum;
    double maximum;
    std::vector<double> scores;  // expected record values, in sample order
    double score_min;
    double score_max;
    LONG pairs;
  } rows[] = {
      {"all inside: ranks 3, 1, 4, 2 of four", {30, 10, 40, 20}, 0, 100,
       {kZ625, -kZ875, kZ875, -kZ625}, -kZ875, kZ875, 4},
      {"a value outside gets -999 and stays out of the window",
       {30, 10, 500, 20}, 0, 100, {kZ833, -kZ833, kNoScore, 0.0}, -kZ833,
       kZ833, 3},
      {"values on both bounds count", {0, 5, 10}, 0, 10,
       {-kZ833, 0.0, kZ833}, -kZ833, kZ833, 3},
      {"nothing inside: no valid score, window 0 to 0", {1, 2}, 50, 60,
       {kNoScore, kNoScore}, 0.0, 0.0, 0},
  };
  for (const Row& row : rows) {
    NormalQq qq(row.values, row.minimum, row.maximum);
    for (size_t i = 0; i < qq.records().size(); ++i) {
      qq.records()[i].x = 100.0 + i;
      qq.records()[i].value2 = 7.0;
    }
    qq.Compute();
    ASSERT_EQ(qq.records().size(), row.scores.size()) << row.name;
    for (size_t i = 0; i < row.scores.size(); ++i) {
      EXPECT_NEAR(qq.records()[i].value, row.scores[i], kTolerance)
          << row.name << " record " << i;
      EXPECT_EQ(qq.records()[i].x, 100.0 + i) << row.name;
      EXPECT_EQ(qq.records()[i].value2, 7.0) << row.name;
    }
    EXPECT_NEAR(qq.chart().score_window().minimum, row.score_min, kTolerance)
        << row.name;
    EXPECT_NEAR(qq.chart().score_window().maximum, row.score_max, kTolerance)
        << row.name;
    EXPECT_EQ(qq.Pairs().size(), static_cast<size_t>(row.pairs)) << row.name;
  }
}

TEST(NormalQqTest, QuantilePairsAreSortedScoresAgainstSortedValues) {
  NormalQq qq({30, 10, 40, 20});
  qq.Compute();
  const auto pairs = qq.Pairs();
  const double scores[] = {-kZ875, -kZ625, kZ625, kZ875};
  const double values[] = {10, 20, 30, 40};
  ASSERT_EQ(pairs.size(), 4u);
  for (size_t i = 0; i < pairs.size(); ++i) {
    EXPECT_NEAR(pairs[i].first, scores[i], kTolerance) << i;
    EXPECT_NEAR(pairs[i].second, values[i], kTolerance) << i;
  }
}

TEST(NormalQqTest, ProbabilityPairsLieInTheUnitSquare) {
  NormalQq qq({-1.5, -0.5, 0.2, 0.9, 1.4}, -2, 2, 1);
  qq.Compute();
  const auto pairs = qq.Pairs();
  EXPECT_FALSE(pairs.empty());
  for (const auto& pair : pairs) {
    EXPECT_GE(pair.first, 0.0);
    EXPECT_LE(pair.first, 1.0);
    EXPECT_GE(pair.second, 0.0);
    EXPECT_LE(pair.second, 1.0);
  }
}

TEST(NormalQqTest, OutputCopiesOnlyTheCountAndToleratesNullArrays) {
  NormalQq qq({30, 10, 40, 20});
  qq.Compute();
  std::vector<double> x(6, -1.0);
  std::vector<double> y(6, -1.0);
  EXPECT_EQ(_kvGraphOutPutNqqpPnt(qq.graph(), x.data(), y.data()), 1);
  EXPECT_EQ(x[4], -1.0);
  EXPECT_EQ(y[5], -1.0);
  EXPECT_EQ(_kvGraphOutPutNqqpPnt(qq.graph(), nullptr, y.data()), 1);
  EXPECT_EQ(_kvGraphOutPutNqqpPnt(qq.graph(), x.data(), nullptr), 1);
}

TEST(NormalQqTest, BeforeAnyComputeThereAreNoPairs) {
  NormalQq qq({1, 2, 3});
  LONG count = -1;
  EXPECT_EQ(_kvGraphOutPutNqqpPntNum(qq.graph(), count), 1);
  EXPECT_EQ(count, 0);
  double x = -1.0;
  double y = -1.0;
  EXPECT_EQ(_kvGraphOutPutNqqpPnt(qq.graph(), &x, &y), 1);
  EXPECT_EQ(x, -1.0);
}

// Regression: with fewer score records than samples the step wrote a score
// into every one of the n records, past the end of the host's array (and the
// engine read as far). Only the records the host gave are written.
TEST(NormalQqTest, FewerScoreRecordsThanSamplesWritesOnlyThoseRecords) {
  std::vector<KvDiscPnt> samples = MakeSamples({30, 10, 40, 20});
  std::vector<KvDiscPnt> records = MakeSamples({0, 0, 12345});
  ScopedGraph graph(4);
  _kvGraphLoadDiscPnts(graph.get(), records.data(), 2);
  _kvGraphLoadDiscPnts2(graph.get(), samples.data(), 4);
  _kvGraphSetDataExtr2(graph.get(), 0, 100);
  EXPECT_EQ(_kvGraphCptNqqpParam(graph.get()), 1);
  EXPECT_NEAR(records[0].value, kZ625, kTolerance);
  EXPECT_NEAR(records[1].value, -kZ875, kTolerance);
  EXPECT_EQ(records[2].value, 12345.0);
  LONG count = -1;
  _kvGraphOutPutNqqpPntNum(graph.get(), count);
  EXPECT_GE(count, 0);
  EXPECT_LE(count, 2);
}

TEST(NormalQqTest, DegenerateInputsComputeSafely) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    bool null_records;
    bool null_samples;
    LONG count;
    std::vector<double> values;
    bool check_window;
    double expected_min;  // score window afterwards (set to 5..9 first)
    double expected_max;
  } rows[] = {
      {"null score records: nothing happens", true, false, 2, {1, 2}, true, 5,
       9},
      {"null sample: nothing happens", false, true, 2, {1, 2}, true, 5, 9},
      {"empty sample: score window 0 to 0", false, false, 0, {1, 2}, true, 0,
       0},
      {"negative count: as empty", false, false, -3, {1, 2}, true, 0, 0},
      {"NaN and infinities in the sample", false, false, 4,
       {nan, inf, -inf, 1.0}, false, 0, 0},
  };
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples(row.values);
    std::vector<KvDiscPnt> records = MakeSamples(row.values);
    ScopedGraph graph(4);
    RecordingWindow window(300, 300);
    _kvGraphLoadDiscPnts(graph.get(),
                         row.null_records ? nullptr : records.data(),
                         row.count);
    _kvGraphLoadDiscPnts2(graph.get(),
                          row.null_samples ? nullptr : samples.data(),
                          row.count);
    _kvGraphSetDataExtr(graph.get(), 5, 9);
    _kvGraphSetDataExtr2(graph.get(), -1e300, 1e300);
    EXPECT_EQ(_kvGraphCptNqqpParam(graph.get()), 1) << row.name;
    const auto& chart = *static_cast<const CGeoNqqpPlt*>(graph.get());
    if (row.check_window) {
      EXPECT_NEAR(chart.score_window().minimum, row.expected_min, kTolerance)
          << row.name;
      EXPECT_NEAR(chart.score_window().maximum, row.expected_max, kTolerance)
          << row.name;
    }
    EXPECT_EQ(_kvGraphDrawNqqpPlt(graph.get(), window.Wnd()), 1) << row.name;
    EXPECT_TRUE(window.LedgerBalanced()) << row.name;
  }
}

TEST(NormalQqTest, LedgerBalancedAfterEveryExport) {
  std::vector<KvDiscPnt> samples = MakeSamples({3, 1, 4, 1, 5, 9, 2, 6});
  std::vector<KvDiscPnt> records = MakeSamples({0, 0, 0, 0, 0, 0, 0, 0});
  RecordingWindow window(400, 300);
  ScopedGraph graph(4);
  CKorvaGraph* g = graph.get();
  std::vector<double> x(8);
  std::vector<double> y(8);
  LONG count = 0;
  const struct {
    const char* name;
    std::function<LONG()> call;
  } steps[] = {
      {"load scores", [&] { return _kvGraphLoadDiscPnts(g, records.data(), 8); }},
      {"load samples",
       [&] { return _kvGraphLoadDiscPnts2(g, samples.data(), 8); }},
      {"value window", [&] { return _kvGraphSetDataExtr2(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Score", "Value"); }},
      {"selector", [&] { return _kvGraphSetNqqpType(g, 0); }},
      {"compute", [&] { return _kvGraphCptNqqpParam(g); }},
      {"count", [&] { return _kvGraphOutPutNqqpPntNum(g, count); }},
      {"pairs", [&] { return _kvGraphOutPutNqqpPnt(g, x.data(), y.data()); }},
      {"draw", [&] { return _kvGraphDrawNqqpPlt(g, window.Wnd()); }},
      {"draw without window", [&] { return _kvGraphDrawNqqpPlt(g, nullptr); }},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(step.call(), 1) << step.name;
    EXPECT_TRUE(window.LedgerBalanced()) << step.name;
  }
  EXPECT_EQ(count, 8);
}

TEST(NormalQqTest, DrawingBeforeAnyComputeOnlyRepaints) {
  NormalQq qq({1, 2, 3});
  _kvGraphSetDataExtr(qq.graph(), -1, 1);
  EXPECT_EQ(qq.Draw(), kRepaintOnly);
}

TEST(NormalQqTest, SquareWindowGivesTheCrossPlotRectangle) {
  NormalQq qq({30, 10, 40, 20});
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const RECT& plot = qq.chart().frame().plot;
  EXPECT_EQ(plot.left, 35);
  EXPECT_EQ(plot.top, 8);
  EXPECT_EQ(plot.right, 392);
  EXPECT_EQ(plot.bottom, 365);
  EXPECT_EQ(CallsStartingWith(log, "Rectangle "),
            std::vector<std::string>{"Rectangle 0 0 357 357"});
}

TEST(NormalQqTest, ProbabilityFormAxesRunFromZeroToOnePointTwo) {
  NormalQq qq({30, 10, 40, 20}, 0, 100, 1);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const PlotFrame& frame = qq.chart().frame();
  for (const AxisScale* axis : {&frame.x, &frame.y}) {
    EXPECT_DOUBLE_EQ(axis->origin, 0.0);
    EXPECT_NEAR(axis->range, 1.2, 1e-12);
    EXPECT_NEAR(axis->step, 0.2, 1e-12);
    EXPECT_NEAR(axis->end, 1.2, 1e-12);
  }
  // Five inner grid lines per axis, every 0.2.
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen dot 1 B4B4B4").size(), 10u);
  // Same origin and range on both axes: the corner diagonal is y = x.
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
  EXPECT_EQ(TextsDrawn(log), (std::vector<std::string>{
                                 "Normal score", "0", "0.4", "0.8", "Lead",
                                 "0", "0.4", "0.8"}));
}

TEST(NormalQqTest, QuantileFormDiagonalJoinsTheCornersOfUnequalAxes) {
  NormalQq qq({30, 10, 40, 20}, 10, 40);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const PlotFrame& frame = qq.chart().frame();
  // Score window -1.15..1.15 widens to 2.4; value window 10..40 to 35.
  EXPECT_NEAR(frame.x.origin, -kZ875, kTolerance);
  EXPECT_NEAR(frame.x.range, 2.4, 1e-12);
  EXPECT_DOUBLE_EQ(frame.y.origin, 10.0);
  EXPECT_DOUBLE_EQ(frame.y.range, 35.0);
  const auto moves = CallsStartingWith(log, "MoveTo ");
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves[0], "MoveTo 0 357");
  EXPECT_EQ(CallsWithPen(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
}

TEST(NormalQqTest, PassesAndMarkersInTheCallLog) {
  NormalQq qq({30, 10, 40, 20}, 10, 40);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const std::vector<std::string> head(log.begin(), log.begin() + 5);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "InvalidateRect erase=1", "UpdateWindow", "GetDC",
                      "SelectObject pen solid 1 0000FF",
                      "SetViewportOrg 35 8"}));
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 2u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
  EXPECT_EQ(log.back(), "ReleaseDC");

  std::vector<std::string> expected;
  for (const auto& pair : qq.Pairs()) {
    LONG sx = 0;
    LONG sy = 0;
    qq.chart().frame().WorldtoScreen(pair.first, pair.second, sx, sy);
    expected.push_back(CircleMarkerLine(sx, sy, 35, 8, 2, "FF0000"));
  }
  ASSERT_EQ(expected.size(), 4u);
  // The lowest pair sits on the axis origins: the bottom-left corner.
  EXPECT_EQ(expected[0],
            "Ellipse -2 355 2 359 | dev 33 363 37 367 | pen solid 1 FF0000 "
            "| brush FFFFFF");
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "), expected);
  // Each marker takes its own blue pen and gives it back.
  EXPECT_EQ(LinesStartingWith(log, "SelectObject pen solid 1 FF0000").size(),
            4u);
}

TEST(NormalQqTest, RangesBelowTheThresholdDrawOnlyTheRepaint) {
  struct Row {
    const char* name;
    double minimum;
    double maximum;
  } rows[] = {
      {"value window of zero span", 5, 5},
      {"widened range 5e-6, under 0.00001", 0, 3e-6},
      {"reversed window: no value inside, no score, no range", 10, 0},
  };
  for (const Row& row : rows) {
    NormalQq qq({row.minimum, row.maximum}, row.minimum, row.maximum);
    qq.Compute();
    EXPECT_EQ(qq.Draw(), kRepaintOnly) << row.name;
  }
}

TEST(NormalQqTest, SelectorChangeAfterComputeChangesOnlyTheAxes) {
  NormalQq qq({30, 10, 40, 20}, 10, 40, 0);
  qq.Compute();
  _kvGraphSetNqqpType(qq.graph(), 1);
  const auto log = qq.Draw();
  EXPECT_DOUBLE_EQ(qq.chart().frame().x.origin, 0.0);
  // The quantile pairs (values 10 to 40) lie above the 0..1.2 axis.
  EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(), 0u);
  EXPECT_EQ(qq.Pairs().size(), 4u);
}

TEST(NormalQqTest, ResizedWindowIsFollowed) {
  NormalQq qq({30, 10, 40, 20});
  qq.Compute();
  qq.Draw(400, 400);
  const auto log = qq.Draw(400, 200);
  EXPECT_EQ(CallsStartingWith(log, "Rectangle "),
            std::vector<std::string>{"Rectangle 0 0 357 175"});
}

}  // namespace
