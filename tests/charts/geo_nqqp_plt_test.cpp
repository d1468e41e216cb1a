// The normal Q-Q plot through the exports: normal scores written into the
// score records, the score window, the output pairs and the drawing.
#include "charts/geo_nqqp_plt.h"

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::Balanced;
using kgtest::CallsStartingWith;
using kgtest::CallsDrawnWith;
using kgtest::CircleMarkerLine;
using kgtest::DrawAndLog;
using kgtest::LinesStartingWith;
using kgtest::MakeSamples;
using kgtest::RepaintOnly;
using kgtest::ScopedGraph;
using kgtest::TextsDrawn;

constexpr double kNoScore = -999.0;
constexpr double kTol = 1e-9;
// Standard normal quantiles of 0.875, 0.625 and 5/6.
constexpr double kZ875 = 1.1503493803760079;
constexpr double kZ625 = 0.31863936396437514;
constexpr double kZ833 = 0.9674215661017014;

// A normal Q-Q chart over a sample and as many score records, kept here.
struct NormalQq {
  NormalQq(const std::vector<double>& values, double lo, double hi,
           LONG selector = 0)
      : samples(MakeSamples(values)),
        records(MakeSamples(std::vector<double>(values.size(), 0.0))),
        graph(4) {
    _kvGraphLoadDiscPnts(graph.get(), records.data(), Size(records));
    _kvGraphLoadDiscPnts2(graph.get(), samples.data(), Size(samples));
    _kvGraphSetDataExtr2(graph.get(), lo, hi);
    _kvGraphSetNqqpType(graph.get(), selector);
    _kvGraphSetAxiName(graph.get(), "Normal score", "Lead");
  }
  static LONG Size(const std::vector<KvDiscPnt>& v) {
    return static_cast<LONG>(v.size());
  }
  const CGeoNqqpPlt& chart() const {
    return *static_cast<const CGeoNqqpPlt*>(graph.get());
  }
  void Compute() { EXPECT_EQ(_kvGraphCptNqqpParam(graph.get()), 1); }
  std::vector<double> Pairs() {  // x0, y0, x1, y1, ...
    LONG count = -1;
    _kvGraphOutPutNqqpPntNum(graph.get(), count);
    std::vector<double> x(count + 1, -1.0), y(count + 1, -1.0), xy;
    _kvGraphOutPutNqqpPnt(graph.get(), x.data(), y.data());
    EXPECT_EQ(x[count], -1.0) << "copied past the count";
    for (LONG i = 0; i < count; ++i) xy.insert(xy.end(), {x[i], y[i]});
    return xy;
  }
  std::vector<std::string> Draw(int width = 400, int height = 400) {
    return DrawAndLog(_kvGraphDrawNqqpPlt, graph.get(), width, height);
  }

  std::vector<KvDiscPnt> samples;
  std::vector<KvDiscPnt> records;
  ScopedGraph graph;
};

TEST(NormalQqTest, ScoresReplaceRecordValuesAndSetTheScoreWindow) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double lo, hi;
    std::vector<double> scores;  // expected record values
    double score_min, score_max;
    size_t pairs;
  } rows[] = {
      {"all inside: ranks 3, 1, 4, 2", {30, 10, 40, 20}, 0, 100,
       {kZ625, -kZ875, kZ875, -kZ625}, -kZ875, kZ875, 4},
      {"a value outside scores -999 and stays out of the window",
       {30, 10, 500, 20}, 0, 100, {kZ833, -kZ833, kNoScore, 0}, -kZ833,
       kZ833, 3},
      {"values on both bounds count", {0, 5, 10}, 0, 10, {-kZ833, 0, kZ833},
       -kZ833, kZ833, 3},
      {"no valid score: window 0 to 0", {1, 2}, 50, 60, {kNoScore, kNoScore},
       0, 0, 0},
  };
  for (const Row& row : rows) {
    NormalQq qq(row.values, row.lo, row.hi);
    qq.records[0].x = 42.0;
    qq.Compute();
    for (size_t i = 0; i < row.scores.size(); ++i) {
      EXPECT_NEAR(qq.records[i].value, row.scores[i], kTol) << row.name << i;
    }
    EXPECT_EQ(qq.records[0].x, 42.0) << row.name;  // only values change
    EXPECT_NEAR(qq.chart().score_window().minimum, row.score_min, kTol)
        << row.name;
    EXPECT_NEAR(qq.chart().score_window().maximum, row.score_max, kTol)
        << row.name;
    EXPECT_EQ(qq.Pairs().size(), 2 * row.pairs) << row.name;
  }
}

TEST(NormalQqTest, QuantilePairsAreSortedScoresAgainstSortedValues) {
  NormalQq qq({30, 10, 40, 20}, 0, 100);
  const std::vector<double> expected = {-kZ875, 10, -kZ625, 20,
                                        kZ625,  30, kZ875,  40};
  qq.Compute();
  const std::vector<double> pairs = qq.Pairs();
  ASSERT_EQ(pairs.size(), expected.size());
  for (size_t i = 0; i < pairs.size(); ++i) {
    EXPECT_NEAR(pairs[i], expected[i], kTol) << i;
  }
}

// Regression: with fewer score records than samples the step wrote a score
// into each of the n records, past the end of the host's array (and the
// engine read as far). Only the records the host gave are written.
TEST(NormalQqTest, FewerScoreRecordsThanSamplesWritesOnlyThoseRecords) {
  NormalQq qq({30, 10, 40, 20}, 0, 100);
  qq.records[2].value = 12345.0;
  _kvGraphLoadDiscPnts(qq.graph.get(), qq.records.data(), 2);
  qq.Compute();
  EXPECT_NEAR(qq.records[0].value, kZ625, kTol);
  EXPECT_NEAR(qq.records[1].value, -kZ875, kTol);
  EXPECT_EQ(qq.records[2].value, 12345.0);
  EXPECT_LE(qq.Pairs().size(), 4u);
}

TEST(NormalQqTest, DegenerateInputsComputeAndDrawSafely) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    bool null_records, null_samples;
    LONG count;
    std::vector<double> values;
    bool check_window;
    double window;  // both ends of the score window (set to 5..9 first)
  } rows[] = {
      {"null score records: nothing happens", true, false, 2, {1, 2}, true, 5},
      {"null sample: nothing happens", false, true, 2, {1, 2}, true, 5},
      {"empty sample: score window 0 to 0", false, false, 0, {1}, true, 0},
      {"negative count: as empty", false, false, -3, {1}, true, 0},
      {"NaN and infinities", false, false, 3, {nan, inf, -inf}, false, 0},
  };
  for (const Row& row : rows) {
    NormalQq qq(row.values, -1e300, 1e300);
    CKorvaGraph* g = qq.graph.get();
    _kvGraphLoadDiscPnts(g, row.null_records ? nullptr : qq.records.data(),
                         row.count);
    _kvGraphLoadDiscPnts2(g, row.null_samples ? nullptr : qq.samples.data(),
                          row.count);
    _kvGraphSetDataExtr(g, 5, 5);
    qq.Compute();
    if (row.check_window) {
      EXPECT_EQ(qq.chart().score_window().minimum, row.window) << row.name;
      EXPECT_EQ(qq.chart().score_window().maximum, row.window) << row.name;
      EXPECT_EQ(qq.Draw(), RepaintOnly()) << row.name;
    }
    qq.Draw();
    EXPECT_EQ(_kvGraphOutPutNqqpPnt(g, nullptr, nullptr), 1) << row.name;
  }
}

TEST(NormalQqTest, LedgerBalancedAfterEveryExport) {
  NormalQq qq({3, 1, 4, 1, 5, 9, 2, 6}, 0, 10);
  CKorvaGraph* g = qq.graph.get();
  CanvasWindow window(400, 300);
  std::vector<double> x(8), y(8);
  LONG count = 0;
  const std::pair<const char*, std::function<LONG()>> steps[] = {
      {"load", [&] { return _kvGraphLoadDiscPnts(g, qq.records.data(), 8); }},
      {"window", [&] { return _kvGraphSetDataExtr2(g, 0, 10); }},
      {"names", [&] { return _kvGraphSetAxiName(g, "Score", "Value"); }},
      {"draw early", [&] { return _kvGraphDrawNqqpPlt(g, window.Wnd()); }},
      {"compute", [&] { return _kvGraphCptNqqpParam(g); }},
      {"count", [&] { return _kvGraphOutPutNqqpPntNum(g, count); }},
      {"pairs", [&] { return _kvGraphOutPutNqqpPnt(g, x.data(), y.data()); }},
      {"draw", [&] { return _kvGraphDrawNqqpPlt(g, window.Wnd()); }},
      {"no window", [&] { return _kvGraphDrawNqqpPlt(g, nullptr); }}};
  for (const auto& [name, call] : steps) EXPECT_EQ(Balanced(call, name), 1);
  EXPECT_EQ(count, 8);
}

TEST(NormalQqTest, DrawsOnlyTheRepaintWithoutPairsOrUnderTheRangeGuard) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double lo, hi;
    bool compute;
  } rows[] = {
      {"before any compute: no pair array", {30, 10, 40}, 0, 100, false},
      {"value window of zero span", {5, 5}, 5, 5, true},
      {"value range widened to 5e-6, under 0.00001", {0, 3e-6}, 0, 3e-6,
       true},
      {"reversed window: no score, no range", {1, 2}, 10, 0, true},
  };
  for (const Row& row : rows) {
    NormalQq qq(row.values, row.lo, row.hi);
    _kvGraphSetDataExtr(qq.graph.get(), -1, 1);
    if (row.compute) qq.Compute();
    EXPECT_EQ(qq.Draw(), RepaintOnly()) << row.name;
  }
}

TEST(NormalQqTest, ProbabilityFormAxesRunFromZeroToOnePointTwo) {
  NormalQq qq({30, 10, 40, 20}, 0, 100, 1);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const RECT& plot = qq.chart().frame().plot;
  EXPECT_EQ(std::vector<LONG>({plot.left, plot.top, plot.right, plot.bottom}),
            std::vector<LONG>({35, 8, 392, 365}));
  for (const AxisScale* axis : {&qq.chart().frame().x, &qq.chart().frame().y}) {
    EXPECT_EQ(axis->origin, 0.0);
    EXPECT_NEAR(axis->range, 1.2, 1e-12);
    EXPECT_NEAR(axis->step, 0.2, 1e-12);
  }
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen dot 1 B4B4B4").size(), 10u);
  // Equal axes: the corner-to-corner diagonal is the line y = x.
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
  EXPECT_EQ(TextsDrawn(log),
            (std::vector<std::string>{"Normal score", "0", "0.4", "0.8",
                                      "Lead", "0", "0.4", "0.8"}));
}

TEST(NormalQqTest, QuantileFormDiagonalAndMarkers) {
  NormalQq qq({30, 10, 40, 20}, 10, 40);
  qq.Compute();
  const auto log = qq.Draw(400, 400);
  const PlotFrame& frame = qq.chart().frame();
  // Unequal axes (scores over 2.4, values over 35): the diagonal still joins
  // the corners, so it is not y = x.
  EXPECT_NEAR(frame.x.range, 2.4, 1e-12);
  EXPECT_EQ(frame.y.range, 35.0);
  EXPECT_EQ(CallsStartingWith(log, "MoveTo ")[0], "MoveTo 0 357");
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen solid 1 000000"),
            std::vector<std::string>{"LineTo 357 0"});
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 5),
            (std::vector<std::string>{"InvalidateRect erase=1", "UpdateWindow",
                                      "GetDC", "SelectObject pen solid 1 0000FF",
                                      "SetViewportOrg 35 8"}));
  std::vector<std::string> markers;
  const std::vector<double> pairs = qq.Pairs();
  for (size_t i = 0; i < pairs.size(); i += 2) {
    LONG sx = 0, sy = 0;
    frame.WorldtoScreen(pairs[i], pairs[i + 1], sx, sy);
    markers.push_back(CircleMarkerLine(sx, sy, 35, 8, 2, "FF0000"));
  }
  ASSERT_EQ(markers.size(), 4u);
  EXPECT_EQ(markers[0], CircleMarkerLine(0, 357, 35, 8, 2, "FF0000"));
  EXPECT_EQ(LinesStartingWith(log, "Ellipse "), markers);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 2u);
}

}  // namespace
