// The probability plot through the exports: compute step, outputs and the
// drawing checked on the call log.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::Balanced;
using kgtest::CallOnly;
using kgtest::CallsStartingWith;
using kgtest::LinesStartingWith;
using kgtest::MakeSamples;
using kgtest::Pass;
using kgtest::RecordingWindow;
using kgtest::RepaintOnly;
using kgtest::TextsDrawn;

constexpr int kLevels = 21;

// The texts of the probability levels, bottom to top.
const std::vector<std::string> kLevelTexts = {
    "0.01", "0.1", "0.2", "1",  "2",  "5",  "10", "20",   "30",   "40",   "50",
    "60",   "70",  "80",  "90", "95", "98", "99", "99.8", "99.9", "99.99"};

// 0, 1, ..., count - 1, scaled to end below `top`.
std::vector<double> Spread(int count, double top) {
  std::vector<double> values(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) values[i] = top * i / count;
  return values;
}

// A probability plot over the host's samples, deleted with the test. Every
// export it calls is checked for status 1 and a balanced ledger.
class ProbabilityPlot {
 public:
  ProbabilityPlot(const std::vector<double>& values, double minimum,
                  double maximum)
      : graph_(_kvCreateKvGraphObj(2)) {
    Load(values);
    _kvGraphSetDataExtr(graph_, minimum, maximum);
    _kvGraphSetAxiName(graph_, "Lead", "Probability");
  }
  ~ProbabilityPlot() { _kvDeleteKvGraphObj(graph_); }
  CKorvaGraph* graph() { return graph_; }

  void Load(const std::vector<double>& values) {
    samples_ = MakeSamples(values);
    _kvGraphLoadDiscPnts(graph_, samples_.data(),
                         static_cast<LONG>(samples_.size()));
  }
  void Compute() {
    EXPECT_EQ(Balanced([&] { return _kvGraphCptPropParam(graph_); }), 1);
  }
  LONG Count() {
    LONG count = -7;
    EXPECT_EQ(Balanced([&] { return _kvGraphOutPutPropPntNum(graph_, count); }),
              1);
    return count;
  }
  // Level positions, then the values and positions of the pairs.
  void Outputs(std::vector<double>* levels, std::vector<double>* values,
               std::vector<double>* positions) {
    const LONG count = Count();
    levels->assign(kLevels, -1.0);
    values->assign(static_cast<size_t>(count), -1.0);
    positions->assign(static_cast<size_t>(count), -1.0);
    EXPECT_EQ(Balanced([&] {
                return _kvGraphOutPutPropPnt(graph_, levels->data(),
                                             values->data(), positions->data());
              }),
              1);
  }
  std::vector<std::string> Draw(int width, int height) {
    return kgtest::DrawAndLog(_kvGraphDrawPropPlt, graph_, width, height);
  }

 private:
  std::vector<KvDiscPnt> samples_;
  CKorvaGraph* graph_;
};

TEST(ProbabilityPlotTest, PlotRectangleFollowsTheWindow) {
  struct Row {
    const char* name;
    int width;
    int height;
    const char* frame;
  } rows[] = {
      {"square: bottom margin 50", 400, 400,
       "Rectangle 0 0 357 342 | dev 35 8 392 350"},
      {"wide: 200 * 50 / 400 = 25", 400, 200,
       "Rectangle 0 0 357 167 | dev 35 8 392 175"},
      {"tall: bottom margin 100", 200, 400,
       "Rectangle 0 0 157 292 | dev 35 8 192 300"},
  };
  for (const Row& row : rows) {
    ProbabilityPlot plot(Spread(10, 37), 0, 37);
    plot.Compute();
    EXPECT_EQ(kgtest::FrameRectangle(plot.Draw(row.width, row.height)),
              row.frame)
        << row.name;
  }
}

TEST(ProbabilityPlotTest, FramePassHeadAndSolidVerticalGrid) {
  ProbabilityPlot plot(Spread(10, 37), 0, 37);
  plot.Compute();
  const auto log = plot.Draw(400, 400);
  // Grid lines at 5, 10, ..., 35 of an axis 0 to 40 over 357 pixels.
  const std::vector<std::string> expected_head = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      "GetDC",
      "SelectObject pen solid 1 646464",
      "SetViewportOrg 35 8",
      "SelectObject pen solid 1 000000",
      "Rectangle 0 0 357 342 | dev 35 8 392 350 | pen solid 1 000000 | "
      "brush FFFFFF",
      "SelectObject pen solid 1 646464",
      "SelectObject pen solid 1 646464",
      "MoveTo 44 342",
      "LineTo 44 0 | dev 79 8 | pen solid 1 646464",
      "MoveTo 89 342",
      "LineTo 89 0 | dev 124 8 | pen solid 1 646464",
      "MoveTo 133 342",
      "LineTo 133 0 | dev 168 8 | pen solid 1 646464",
      "MoveTo 178 342",
      "LineTo 178 0 | dev 213 8 | pen solid 1 646464",
      "MoveTo 223 342",
      "LineTo 223 0 | dev 258 8 | pen solid 1 646464",
      "MoveTo 267 342",
      "LineTo 267 0 | dev 302 8 | pen solid 1 646464",
      "MoveTo 312 342",
      "LineTo 312 0 | dev 347 8 | pen solid 1 646464",
      "SelectObject pen solid 1 646464",
      "SetBkMode 1",
      "SetTextAlign 6",
  };
  ASSERT_GE(log.size(), expected_head.size());
  for (size_t i = 0; i < expected_head.size(); ++i) {
    EXPECT_EQ(log[i], expected_head[i]) << "line " << i;
  }
  // Three passes, each on its own device context.
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 3u);
  EXPECT_EQ(log.back(), "ReleaseDC");
}

TEST(ProbabilityPlotTest, XLabelsEveryTickDividedByTheFactor) {
  ProbabilityPlot plot(Spread(10, 37), 0, 37);
  plot.Compute();
  const auto log = plot.Draw(400, 400);
  std::vector<std::string> expected = {"Lead, 10", "-1", "0",   "0.5", "1",
                                       "1.5",      "2",  "2.5", "3",   "3.5"};
  expected.insert(expected.end(), kLevelTexts.begin(), kLevelTexts.end());
  EXPECT_EQ(TextsDrawn(log), expected);

  const auto texts = LinesStartingWith(log, "TextOut ");
  ASSERT_EQ(texts.size(), expected.size());
  // The title centred below the labels, the exponent raised at its right
  // end in a smaller font; labels 3 pixels below the frame.
  EXPECT_EQ(texts[0],
            "TextOut 176 361 \"Lead, 10\" | dev 211 369 | align 6 | bkmode 1 | "
            "font \"Times New Roman\" 15 0 0");
  EXPECT_EQ(texts[1],
            "TextOut 206 357 \"-1\" | dev 241 365 | align 6 | bkmode 1 | "
            "font \"Times New Roman\" 10 0 0");
  EXPECT_EQ(CallOnly(texts[2]), "TextOut 0 345 \"0\"");
  EXPECT_EQ(CallOnly(texts[3]), "TextOut 44 345 \"0.5\"");
  EXPECT_EQ(CallOnly(texts[9]), "TextOut 312 345 \"3.5\"");
  // Level labels right-aligned 5 pixels left of the frame, about 8 pixels
  // above their lines.
  EXPECT_EQ(texts[10],
            "TextOut -5 335 \"0.01\" | dev 30 343 | align 2 | bkmode 1 | "
            "font \"Times New Roman\" 15 0 0");
  EXPECT_EQ(CallOnly(texts[20]), "TextOut -5 163 \"50\"");
}

TEST(ProbabilityPlotTest, LevelLabelsDoNotDependOnTheData) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double minimum;
    double maximum;
  } rows[] = {
      {"window 0 to 37", Spread(10, 37), 0, 37},
      {"wide window", Spread(200, 1e6), -5, 1e6},
      {"no sample inside the window", {1, 2, 3}, 100, 200},
  };
  for (const Row& row : rows) {
    ProbabilityPlot plot(row.values, row.minimum, row.maximum);
    plot.Compute();
    const auto texts = TextsDrawn(plot.Draw(400, 400));
    ASSERT_GE(texts.size(), kLevelTexts.size()) << row.name;
    const std::vector<std::string> levels(texts.end() - kLevels, texts.end());
    EXPECT_EQ(levels, kLevelTexts) << row.name;
  }
}

TEST(ProbabilityPlotTest, ComputeStepFillsTheOutputs) {
  ProbabilityPlot plot({30, 10, 20, 50, 5}, 0, 40);
  plot.Compute();
  ASSERT_EQ(plot.Count(), 4);  // 50 lies outside the data window
  std::vector<double> levels;
  std::vector<double> values;
  std::vector<double> positions;
  plot.Outputs(&levels, &values, &positions);
  EXPECT_EQ(values, (std::vector<double>{5, 10, 20, 30}));
  // Positions and levels increase; the median level is 0 on this engine.
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
  EXPECT_LT(levels.front(), positions.front());
  EXPECT_GT(levels.back(), positions.back());
  EXPECT_DOUBLE_EQ(levels[10], 0.0);
}

// Regression: the output exports copied from the pair array without checking
// it, so reading before a compute step read a null array for an unset count.
TEST(ProbabilityPlotTest, OutputsBeforeAnyComputeStep) {
  ProbabilityPlot plot({1, 2, 3}, 0, 37);
  EXPECT_EQ(plot.Count(), 0);
  std::vector<double> levels(kLevels, -1.0);
  EXPECT_EQ(
      _kvGraphOutPutPropPnt(plot.graph(), levels.data(), nullptr, nullptr), 1);
  EXPECT_EQ(levels, std::vector<double>(kLevels, 0.0));
  EXPECT_EQ(_kvGraphOutPutPropPnt(plot.graph(), nullptr, nullptr, nullptr), 1);
  // Nothing computed: the probability axis has no range.
  EXPECT_EQ(plot.Draw(400, 400), RepaintOnly());
}

TEST(ProbabilityPlotTest, PointsAreBlueCirclesAtTheirPositions) {
  ProbabilityPlot plot({20}, 0, 37);
  plot.Compute();
  std::vector<double> levels;
  std::vector<double> values;
  std::vector<double> positions;
  plot.Outputs(&levels, &values, &positions);
  ASSERT_EQ(positions.size(), 1u);
  const auto pass = Pass(plot.Draw(400, 400), 1);
  // 20 of 40 units over 357 pixels; the position through the same mapping.
  const int sy = 342 - static_cast<int>((positions[0] - levels[0]) * 342.0 /
                                        (levels[20] - levels[0]));
  const std::vector<std::string> expected = {
      "GetDC",
      "SelectObject pen solid 1 646464",
      "SetViewportOrg 35 8",
      "SelectObject pen solid 1 FF0000",
      "Ellipse 176 " + std::to_string(sy - 2) + " 180 " +
          std::to_string(sy + 2) + " | dev 211 " + std::to_string(sy + 6) +
          " 215 " + std::to_string(sy + 10) +
          " | pen solid 1 FF0000 | brush FFFFFF",
      "SelectObject pen solid 1 646464",
      "SelectObject pen solid 1 000000",
      "ReleaseDC",
  };
  EXPECT_EQ(pass, expected);
}

TEST(ProbabilityPlotTest, SampleOutsideTheProbabilityAxisIsOutputButNotDrawn) {
  // With 6000 samples the lowest and highest plotting positions, 0.5 / 6000
  // from either end, lie beyond the 0.01 % and 99.99 % levels.
  ProbabilityPlot plot(Spread(6000, 37), 0, 37);
  plot.Compute();
  EXPECT_EQ(plot.Count(), 6000);
  std::vector<double> levels;
  std::vector<double> values;
  std::vector<double> positions;
  plot.Outputs(&levels, &values, &positions);
  EXPECT_LT(positions.front(), levels.front());
  EXPECT_GT(positions.back(), levels.back());
  EXPECT_EQ(values.front(), 0.0);
  const auto log = plot.Draw(400, 400);
  EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(), 5998u);
}

TEST(ProbabilityPlotTest, LevelLinesSpanThePlotOverThePoints) {
  ProbabilityPlot plot(Spread(10, 37), 0, 37);
  plot.Compute();
  const auto pass = Pass(plot.Draw(400, 400), 2);
  const auto moves = CallsStartingWith(pass, "MoveTo ");
  const auto lines = CallsStartingWith(pass, "LineTo ");
  ASSERT_EQ(moves.size(), 21u);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(moves.front(), "MoveTo 0 342");  // 0.01 % on the bottom edge
  EXPECT_EQ(lines.front(), "LineTo 357 342");
  EXPECT_EQ(moves.back(), "MoveTo 0 0");  // 99.99 % on the top edge
  EXPECT_EQ(lines.back(), "LineTo 357 0");
  EXPECT_EQ(moves[10], "MoveTo 0 171");  // 50 % in the middle
  for (const std::string& line : LinesStartingWith(pass, "LineTo ")) {
    EXPECT_NE(line.find("pen solid 1 646464"), std::string::npos) << line;
  }
}

TEST(ProbabilityPlotTest, ComputingTwiceKeepsOnlyTheSecondPairs) {
  ProbabilityPlot plot({1, 2, 3, 4, 5, 6, 7}, 0, 37);
  plot.Compute();
  ASSERT_EQ(plot.Count(), 7);
  plot.Load({30, 10});
  plot.Compute();
  std::vector<double> levels;
  std::vector<double> values;
  std::vector<double> positions;
  plot.Outputs(&levels, &values, &positions);
  EXPECT_EQ(values, (std::vector<double>{10, 30}));
  EXPECT_EQ(LinesStartingWith(plot.Draw(400, 400), "Ellipse ").size(), 2u);
}

TEST(ProbabilityPlotTest, ReversedWindowTakesTheProbabilityRange) {
  // Maximum below minimum: the X range becomes the Y range (about 7.4),
  // stepped to 8 from the minimum 10.
  ProbabilityPlot plot({1, 2, 3}, 10, 5);
  plot.Compute();
  EXPECT_EQ(plot.Count(), 0);
  const auto texts = TextsDrawn(plot.Draw(400, 400));
  const std::vector<std::string> x_labels(texts.begin(), texts.begin() + 10);
  EXPECT_EQ(x_labels,
            (std::vector<std::string>{"Lead, 10", "0", "10", "11", "12", "13",
                                      "14", "15", "16", "17"}));
}

// Regression: a negative sample count sized the pair array from it, which
// cannot be allocated; it now loads no samples, as a count of 0 does.
TEST(ProbabilityPlotTest, EmptySampleSetsDrawFrameAndLevelsOnly) {
  struct Row {
    const char* name;
    LONG count;
  } rows[] = {{"count 0", 0}, {"negative count", -5}};
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
    ProbabilityPlot plot({}, 0, 37);
    _kvGraphLoadDiscPnts(plot.graph(), samples.data(), row.count);
    plot.Compute();
    EXPECT_EQ(plot.Count(), 0) << row.name;
    const auto log = plot.Draw(400, 400);
    EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(), 0u) << row.name;
    EXPECT_EQ(LinesStartingWith(log, "Rectangle ").size(), 1u) << row.name;
    EXPECT_EQ(TextsDrawn(log).size(), 10u + kLevels) << row.name;
  }
}

TEST(ProbabilityPlotTest, NullSamplesComputeNothing) {
  ProbabilityPlot plot({5, 6, 7}, 0, 37);
  plot.Compute();
  ASSERT_EQ(plot.Count(), 3);
  // A null array leaves the earlier results in place.
  _kvGraphLoadDiscPnts(plot.graph(), nullptr, 3);
  plot.Compute();
  EXPECT_EQ(plot.Count(), 3);
  EXPECT_EQ(LinesStartingWith(plot.Draw(400, 400), "Ellipse ").size(), 3u);

  ProbabilityPlot never_loaded({}, 0, 37);
  _kvGraphLoadDiscPnts(never_loaded.graph(), nullptr, 0);
  never_loaded.Compute();
  EXPECT_EQ(never_loaded.Count(), 0);
  EXPECT_EQ(never_loaded.Draw(400, 400), RepaintOnly());
}

TEST(ProbabilityPlotTest, DegenerateInputDrawsOnlyTheRepaint) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    int width;
    int height;
    double minimum;
    double maximum;
  } rows[] = {
      {"zero range", 400, 400, 5, 5},
      {"range below 0.00001", 400, 400, 5, 5.000001},
      {"nan minimum", 400, 400, std::nan(""), 5},
      {"infinite maximum", 400, 400, 0, inf},
      {"zero-width window", 0, 400, 0, 37},
      {"zero-height window", 400, 0, 0, 37},
  };
  for (const Row& row : rows) {
    ProbabilityPlot plot(Spread(10, 37), row.minimum, row.maximum);
    plot.Compute();
    EXPECT_EQ(plot.Draw(row.width, row.height), RepaintOnly()) << row.name;
  }
}

TEST(ProbabilityPlotTest, NullWindowAndNullHandle) {
  ProbabilityPlot plot(Spread(10, 37), 0, 37);
  plot.Compute();
  EXPECT_EQ(
      Balanced([&] { return _kvGraphDrawPropPlt(plot.graph(), nullptr); }), 1);
  LONG count = 0;
  EXPECT_EQ(_kvGraphCptPropParam(nullptr), -1);
  EXPECT_EQ(_kvGraphOutPutPropPntNum(nullptr, count), -1);
  EXPECT_EQ(_kvGraphOutPutPropPnt(nullptr, nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(_kvGraphDrawPropPlt(nullptr, nullptr), -1);
}

TEST(ProbabilityPlotTest, DrawingTwiceGivesTheSameLog) {
  ProbabilityPlot plot(Spread(25, 37), 0, 37);
  plot.Compute();
  EXPECT_EQ(plot.Draw(500, 300), plot.Draw(500, 300));
}

}  // namespace
