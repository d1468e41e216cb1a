// The cross plot drawn through the exports, checked on the call log.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/recording.h"

namespace {

using kgtest::CallsStartingWith;
using kgtest::LinesStartingWith;
using kgtest::RecordingWindow;
using kgtest::TextsDrawn;

// A cross plot over the host's arrays, deleted with the test.
class CrossPlot {
 public:
  CrossPlot(std::vector<double> x, std::vector<double> y, double minimum,
            double maximum)
      : x_(std::move(x)), y_(std::move(y)), graph_(_kvCreateKvGraphObj(8)) {
    _kvGraphLoadCrosData(graph_, x_.data(), y_.data(),
                         static_cast<LONG>(x_.size()));
    _kvGraphSetDataExtr(graph_, minimum, maximum);
    _kvGraphSetAxiName(graph_, "Lead", "Zinc");
  }
  ~CrossPlot() { _kvDeleteKvGraphObj(graph_); }
  CKorvaGraph* graph() { return graph_; }

  std::vector<std::string> Draw(int width, int height) {
    return kgtest::DrawAndLog(_kvGraphDrawCrosPlt, graph_, width, height);
  }

 private:
  std::vector<double> x_;
  std::vector<double> y_;
  CKorvaGraph* graph_;
};

TEST(CrossPlotTest, PlotRectangleFollowsTheWindow) {
  struct Row {
    const char* name;
    int width;
    int height;
    const char* frame;
  } rows[] = {
      {"square: bottom margin 35", 400, 400,
       "Rectangle 0 0 357 357 | dev 35 8 392 365"},
      {"wide: 200 * 35 / 400 truncates to 17", 400, 200,
       "Rectangle 0 0 357 175 | dev 35 8 392 183"},
      {"tall: bottom margin 70", 200, 400,
       "Rectangle 0 0 157 322 | dev 35 8 192 330"},
  };
  for (const Row& row : rows) {
    CrossPlot plot({1, 2}, {1, 2}, 0, 37);
    EXPECT_EQ(kgtest::FrameRectangle(plot.Draw(row.width, row.height)),
              row.frame)
        << row.name;
  }
}

TEST(CrossPlotTest, FramePassOrderAndObjects) {
  CrossPlot plot({-1e9}, {-1e9}, 0, 37);
  const auto log = plot.Draw(400, 400);
  const std::vector<std::string> expected_head = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      "GetDC",
      "SelectObject pen solid 1 0000FF",
      "SetViewportOrg 35 8",
      "SelectObject pen solid 1 000000",
      "Rectangle 0 0 357 357 | dev 35 8 392 365 | pen solid 1 000000 | "
      "brush FFFFFF",
      "MoveTo 0 357",
      "LineTo 357 0 | dev 392 8 | pen solid 1 000000",
      "SelectObject pen solid 1 0000FF",
      "SelectObject pen dot 1 B4B4B4",
  };
  ASSERT_GE(log.size(), expected_head.size());
  for (size_t i = 0; i < expected_head.size(); ++i) {
    EXPECT_EQ(log[i], expected_head[i]) << "line " << i;
  }
  // Three passes, each with its own device context.
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 3u);
}

TEST(CrossPlotTest, GridAndLabelsForExtentZeroTo37) {
  CrossPlot plot({-1e9}, {-1e9}, 0, 37);
  const auto log = plot.Draw(400, 400);
  // Grid lines at steps 1 to 7 of 5 on each axis (357 pixels for 40 units).
  std::vector<std::string> dotted;
  for (const std::string& line : LinesStartingWith(log, "LineTo ")) {
    if (line.find("pen dot 1 B4B4B4") != std::string::npos) {
      dotted.push_back(kgtest::CallOnly(line));
    }
  }
  const std::vector<std::string> expected_grid = {
      "LineTo 44 0",    "LineTo 89 0",    "LineTo 133 0",   "LineTo 178 0",
      "LineTo 223 0",   "LineTo 267 0",   "LineTo 312 0",   "LineTo 357 313",
      "LineTo 357 268", "LineTo 357 224", "LineTo 357 179", "LineTo 357 134",
      "LineTo 357 90",  "LineTo 357 45"};
  EXPECT_EQ(dotted, expected_grid);
  const std::vector<std::string> expected_texts = {
      "Lead", "0", "10", "20", "30", "Zinc", "0", "10", "20", "30"};
  EXPECT_EQ(TextsDrawn(log), expected_texts);
  EXPECT_EQ(LinesStartingWith(log, "SetTextAlign 6").size(), 1u);
  EXPECT_EQ(LinesStartingWith(log, "SetTextAlign 2").size(), 1u);
  EXPECT_EQ(LinesStartingWith(log, "SetBkMode 1").size(), 1u);
  // Every label in its own 15-pixel Times New Roman of default width.
  for (const std::string& line : LinesStartingWith(log, "TextOut ")) {
    EXPECT_NE(line.find("font \"Times New Roman\" 15 0 0"), std::string::npos)
        << line;
    EXPECT_NE(line.find("bkmode 1"), std::string::npos) << line;
  }
}

TEST(CrossPlotTest, LabelPositionsAndAlignment) {
  CrossPlot plot({-1e9}, {-1e9}, 0, 37);
  const auto log = plot.Draw(400, 400);
  const auto texts = CallsStartingWith(log, "TextOut ");
  ASSERT_EQ(texts.size(), 10u);
  // X name centred on the axis end, 4 pixels below the frame.
  EXPECT_EQ(texts[0], "TextOut 357 361 \"Lead\"");
  EXPECT_EQ(texts[1], "TextOut 0 361 \"0\"");
  EXPECT_EQ(texts[2], "TextOut 89 361 \"10\"");
  // Y labels 5 pixels left of the frame, their tops 8 pixels above the line.
  EXPECT_EQ(texts[5], "TextOut -5 -8 \"Zinc\"");
  EXPECT_EQ(texts[6], "TextOut -5 349 \"0\"");
}

TEST(CrossPlotTest, OriginsFollowTheFlooredRule) {
  struct Row {
    const char* name;
    double minimum;
    double maximum;
    const char* first_label;
  } rows[] = {
      {"positive minimum floors to a step", 9, 46, "5"},
      {"negative multiple of the step lands one lower", -10, 27, "-15"},
      {"tiny negative minimum counts as zero", -0.000001, 37, "0"},
  };
  for (const Row& row : rows) {
    CrossPlot plot({-1e9}, {-1e9}, row.minimum, row.maximum);
    const auto texts = TextsDrawn(plot.Draw(400, 400));
    ASSERT_GE(texts.size(), 2u) << row.name;
    EXPECT_EQ(texts[1], row.first_label) << row.name;
  }
}

TEST(CrossPlotTest, PointsOnTheAxisEndAreDrawnAndBeyondAreNot) {
  // Axes from 0 to 40: 40 is on the end, 40.001 and a NaN are not drawn.
  CrossPlot plot({0, 40, 40.001, 20, std::nan("")}, {0, 40, 10, 20, 5}, 0, 37);
  const auto log = plot.Draw(400, 400);
  const auto marks = LinesStartingWith(log, "Ellipse ");
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0],
            "Ellipse -2 355 2 359 | dev 33 363 37 367 | pen solid 1 FF0000 | "
            "brush FFFFFF");
  EXPECT_EQ(kgtest::CallOnly(marks[1]), "Ellipse 355 -2 359 2");
  EXPECT_EQ(kgtest::CallOnly(marks[2]), "Ellipse 176 177 180 181");
}

TEST(CrossPlotTest, FitLineWithSlopeOneLiesOnTheDiagonal) {
  CrossPlot plot({-1e9}, {-1e9}, 0, 37);
  _kvGraphSetFitLine(plot.graph(), 1.0, 0.0);
  const auto log = plot.Draw(400, 400);
  const auto moves = CallsStartingWith(log, "MoveTo ");
  const auto lines = LinesStartingWith(log, "LineTo ");
  // The diagonal first, the fit line last in the red pass pen.
  EXPECT_EQ(moves.front(), "MoveTo 0 357");
  EXPECT_EQ(moves.back(), "MoveTo 0 357");
  EXPECT_EQ(lines.back(), "LineTo 357 0 | dev 392 8 | pen solid 1 0000FF");
}

TEST(CrossPlotTest, DrawingTwiceGivesTheSameLog) {
  CrossPlot plot({1, 5, 30}, {2, 8, 25}, 0, 37);
  _kvGraphSetFitLine(plot.graph(), 0.8, 1.0);
  EXPECT_EQ(plot.Draw(400, 300), plot.Draw(400, 300));
}

TEST(CrossPlotTest, DegenerateInputDrawsOnlyTheRepaint) {
  struct Row {
    const char* name;
    int width;
    int height;
    double minimum;
    double maximum;
  } rows[] = {
      {"zero range", 400, 400, 5, 5},
      {"nan extent", 400, 400, std::nan(""), 5},
      {"infinite extent", 400, 400, 0, std::numeric_limits<double>::infinity()},
      {"zero-width window", 0, 400, 0, 37},
      {"zero-height window", 400, 0, 0, 37},
  };
  for (const Row& row : rows) {
    CrossPlot plot({1}, {1}, row.minimum, row.maximum);
    const std::vector<std::string> expected = {"InvalidateRect erase=1",
                                               "UpdateWindow"};
    EXPECT_EQ(plot.Draw(row.width, row.height), expected) << row.name;
  }
}

TEST(CrossPlotTest, MissingArraysOrWindowDrawNothing) {
  CKorvaGraph* graph = _kvCreateKvGraphObj(8);
  _kvGraphSetDataExtr(graph, 0, 37);
  RecordingWindow window(400, 400);
  EXPECT_EQ(_kvGraphDrawCrosPlt(graph, window.Wnd()), 1);
  EXPECT_EQ(LinesStartingWith(window.Take(), "GetDC").size(), 0u);
  EXPECT_EQ(_kvGraphDrawCrosPlt(graph, nullptr), 1);
  _kvDeleteKvGraphObj(graph);
  EXPECT_TRUE(window.LedgerBalanced());
}

}  // namespace
