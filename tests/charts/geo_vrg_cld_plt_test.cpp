// The variogram cloud through the exports: scale from the data windows,
// frame, grid and factor labels, the cloud, the selection and the mapping
// the host reads back, checked on the call log.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::Balanced;
using kgtest::CallOnly;
using kgtest::CallsDrawnWith;
using kgtest::CallsStartingWith;
using kgtest::LinesStartingWith;
using kgtest::Pass;
using kgtest::RecordingWindow;
using kgtest::RepaintOnly;
using kgtest::TextsDrawn;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A variogram cloud over the host's arrays, deleted with the test. Every
// export it calls is checked for a balanced ledger.
class Cloud {
 public:
  Cloud(std::vector<double> x, std::vector<double> y, double x_min,
        double x_max, double y_min, double y_max)
      : x_(std::move(x)), y_(std::move(y)), graph_(_kvCreateKvGraphObj(10)) {
    Balanced([&] {
      return _kvGraphLoadLocPnts(graph_, x_.data(), y_.data(),
                                 static_cast<LONG>(x_.size()));
    });
    Balanced([&] { return _kvGraphSetDataExtr(graph_, x_min, x_max); });
    Balanced([&] { return _kvGraphSetDataExtr2(graph_, y_min, y_max); });
    Balanced(
        [&] { return _kvGraphSetAxiName(graph_, "Distance", "Semivariance"); });
  }
  ~Cloud() { _kvDeleteKvGraphObj(graph_); }
  CKorvaGraph* graph() { return graph_; }

  void Select(std::vector<LONG> selected) {
    selected_ = std::move(selected);
    EXPECT_EQ(Balanced([&] {
                return _kvLoadVrgCldSelInfo(
                    graph_, selected_.data(),
                    static_cast<LONG>(selected_.size()));
              }),
              1);
  }
  std::vector<std::string> Draw(int width, int height) {
    return kgtest::DrawAndLog(_kvGraphDrawVrgCldPlt, graph_, width, height);
  }
  std::string Screen(double x, double y) {
    int sx = -7;
    int sy = -7;
    EXPECT_EQ(
        Balanced([&] { return _kvGraphWorldtoScreen(graph_, x, y, sx, sy); }),
        1);
    return std::to_string(sx) + " " + std::to_string(sy);
  }

 private:
  std::vector<double> x_;
  std::vector<double> y_;
  std::vector<LONG> selected_;
  CKorvaGraph* graph_;
};

// A cloud of ten points over X 0..370 and Y 0..37 (axes 0..450, 0..40).
Cloud TenPoints() {
  std::vector<double> x;
  std::vector<double> y;
  for (int i = 0; i < 10; ++i) {
    x.push_back(37.0 * i);
    y.push_back(3.7 * i);
  }
  return Cloud(x, y, 0, 370, 0, 37);
}

// The calls of one cloud point at plot pixel (sx, sy) in the cloud pass.
std::vector<std::string> PointCalls(int sx, int sy, const std::string& fill,
                                    const std::string& outline) {
  auto box = [](int left, int top) {
    return std::to_string(left - 2) + " " + std::to_string(top - 2) + " " +
           std::to_string(left + 2) + " " + std::to_string(top + 2);
  };
  return {"SelectObject pen solid 1 " + outline, "SelectObject brush " + fill,
          "Ellipse " + box(sx, sy) + " | dev " + box(sx + 45, sy + 8) +
              " | pen solid 1 " + outline + " | brush " + fill,
          "SelectObject brush FFFFFF", "SelectObject pen solid 1 646464"};
}

TEST(VariogramCloudTest, PlotRectangleFollowsTheWindow) {
  struct Row {
    const char* name;
    int width;
    int height;
    const char* frame;
  } rows[] = {
      {"square: bottom margin 85", 400, 400,
       "Rectangle 0 0 347 307 | dev 45 8 392 315"},
      {"wide: 200 * 85 / 400 truncates to 42", 400, 200,
       "Rectangle 0 0 347 150 | dev 45 8 392 158"},
      {"800 by 600: bottom margin 63", 800, 600,
       "Rectangle 0 0 747 529 | dev 45 8 792 537"},
  };
  for (const Row& row : rows) {
    Cloud cloud = TenPoints();
    EXPECT_EQ(kgtest::FrameRectangle(cloud.Draw(row.width, row.height)),
              row.frame)
        << row.name;
  }
}

TEST(VariogramCloudTest, FramePassHeadAndDottedGrid) {
  Cloud cloud = TenPoints();
  const auto log = cloud.Draw(400, 400);
  const std::vector<std::string> expected_head = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      "GetDC",
      "SelectObject pen solid 1 646464",
      "SetViewportOrg 45 8",
      "SelectObject pen solid 1 000000",
      "Rectangle 0 0 347 307 | dev 45 8 392 315 | pen solid 1 000000 | "
      "brush FFFFFF",
      "SelectObject pen solid 1 646464",
      "SelectObject pen dot 1 B4B4B4",
      "MoveTo 38 307",
      "LineTo 38 0 | dev 83 8 | pen dot 1 B4B4B4",
  };
  ASSERT_GE(log.size(), expected_head.size());
  for (size_t i = 0; i < expected_head.size(); ++i) {
    EXPECT_EQ(log[i], expected_head[i]) << "line " << i;
  }
  // X axis 0..450 step 50: lines at steps 1 to 8; Y axis 0..40 step 5:
  // lines at steps 1 to 7; none at the origins or ends.
  const std::vector<std::string> expected_grid = {
      "LineTo 38 0",    "LineTo 77 0",    "LineTo 115 0",   "LineTo 154 0",
      "LineTo 192 0",   "LineTo 231 0",   "LineTo 269 0",   "LineTo 308 0",
      "LineTo 347 269", "LineTo 347 231", "LineTo 347 192", "LineTo 347 154",
      "LineTo 347 116", "LineTo 347 77",  "LineTo 347 39"};
  EXPECT_EQ(CallsDrawnWith(log, "LineTo ", "pen dot 1 B4B4B4"), expected_grid);
  // Three passes, each on its own device context.
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 3u);
  EXPECT_EQ(log.back(), "ReleaseDC");
}

TEST(VariogramCloudTest, TitlesAndLabelsWithFactors) {
  Cloud cloud = TenPoints();
  const auto log = cloud.Draw(400, 400);
  // X ticks divided by 100 (exponent -2), Y ticks by 10 (exponent -1),
  // every second tick from the origin.
  const std::vector<std::string> expected = {
      "Distance, 10", "-2", "0", "1", "2", "3", "4", "Semivariance", ",",
      "10",           "-1", "0", "1", "2", "3"};
  EXPECT_EQ(TextsDrawn(log), expected);
  const auto texts = CallsStartingWith(log, "TextOut ");
  ASSERT_EQ(texts.size(), expected.size());
  EXPECT_EQ(texts[0], "TextOut 171 331 \"Distance, 10\"");
  EXPECT_EQ(texts[1], "TextOut 209 327 \"-2\"");
  EXPECT_EQ(texts[2], "TextOut 0 311 \"0\"");
  EXPECT_EQ(texts[3], "TextOut 77 311 \"1\"");
  EXPECT_EQ(texts[7], "TextOut -30 138 \"Semivariance\"");
  EXPECT_EQ(texts[10], "TextOut -29 164 \"-1\"");
  EXPECT_EQ(texts[11], "TextOut -5 299 \"0\"");
  // The labels use the font's default width.
  const auto lines = LinesStartingWith(log, "TextOut ");
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool exponent = i == 1 || i == 10;
    const std::string font = exponent ? "font \"Times New Roman\" 10 0 0"
                                      : "font \"Times New Roman\" 15 0 0";
    EXPECT_NE(lines[i].find(font), std::string::npos) << lines[i];
  }
  EXPECT_EQ(CallsStartingWith(log, "SetTextAlign "),
            (std::vector<std::string>{"SetTextAlign 6", "SetTextAlign 2",
                                      "SetTextAlign 0", "SetTextAlign 2"}));
}

// Regression: the Y exponent was right-aligned 5 pixels right of the
// right-aligned "10", so a two-character exponent such as "-3" in the narrow
// label font started left of the "10"'s end and its minus sign sat under the
// zero: the axis read 10^3 where it meant 10^-3. Every exponent now starts
// right of where the "10" ends.
TEST(VariogramCloudTest, YExponentStandsWhollyBesideTheTen) {
  // Semivariances up to 5841: tick values divided by 1000, exponent -3.
  Cloud cloud({10, 200, 370}, {0, 2900, 5841}, 0, 370, 0, 5841);
  const auto texts = CallsStartingWith(cloud.Draw(400, 400), "TextOut ");
  const auto ten =
      std::find(texts.begin(), texts.end(), "TextOut -30 164 \"10\"");
  ASSERT_NE(ten, texts.end());
  ASSERT_NE(ten + 1, texts.end());
  // Left-aligned (see the alignment calls above) right of where "10" ends.
  EXPECT_EQ(*(ten + 1), "TextOut -29 164 \"-3\"");
}

TEST(VariogramCloudTest, OriginsAreTheWindowMinimums) {
  // X window 12.5..49.5: range 37, step 5, axis 12.5..52.5.
  Cloud cloud({20}, {20}, 12.5, 49.5, 0, 37);
  const auto log = cloud.Draw(400, 400);
  const std::vector<std::string> expected_x_grid = {
      "LineTo 43 0",  "LineTo 86 0",  "LineTo 130 0", "LineTo 173 0",
      "LineTo 216 0", "LineTo 260 0", "LineTo 303 0"};
  const auto grid = CallsDrawnWith(log, "LineTo ", "pen dot 1 B4B4B4");
  ASSERT_GE(grid.size(), expected_x_grid.size());
  EXPECT_EQ(std::vector<std::string>(grid.begin(), grid.begin() + 7),
            expected_x_grid);
  EXPECT_EQ(cloud.Screen(17.5, 0), "43 307");  // the first grid line
  EXPECT_EQ(cloud.Screen(12.5, 0), "0 307");
  EXPECT_EQ(cloud.Screen(52.5, 40), "347 0");
  // Span 40: labels divided by 10, starting at the unrounded origin.
  const auto texts = TextsDrawn(log);
  const std::vector<std::string> x_texts(texts.begin(), texts.begin() + 6);
  EXPECT_EQ(x_texts, (std::vector<std::string>{"Distance, 10", "-1", "1.25",
                                               "2.25", "3.25", "4.25"}));
}

TEST(VariogramCloudTest, PointsOnTheBoundsAreDrawnAndBeyondAreNot) {
  const double hair = 1e-9;
  struct Row {
    const char* name;
    double x;
    double y;
    const char* ellipse;  // nullptr: not drawn
  } rows[] = {
      {"origin", 0, 0, "Ellipse -2 305 2 309"},
      {"axis ends", 450, 40, "Ellipse 345 -2 349 2"},
      {"x origin, y end", 0, 40, "Ellipse -2 -2 2 2"},
      {"left of the X origin", -hair, 10, nullptr},
      {"beyond the X end", 450 + hair, 10, nullptr},
      {"below the Y origin", 100, -hair, nullptr},
      {"above the Y end", 100, 40 + hair, nullptr},
      {"nan", kNaN, 10, nullptr},
  };
  for (const Row& row : rows) {
    Cloud cloud({row.x}, {row.y}, 0, 370, 0, 37);
    const auto marks =
        CallsStartingWith(Pass(cloud.Draw(400, 400), 1), "Ellipse ");
    if (row.ellipse == nullptr) {
      EXPECT_TRUE(marks.empty()) << row.name;
    } else {
      EXPECT_EQ(marks, std::vector<std::string>{row.ellipse}) << row.name;
    }
  }
}

TEST(VariogramCloudTest, CloudPointsAreFilledCirclesWithBlackOutline) {
  Cloud cloud({225}, {20}, 0, 370, 0, 37);
  const auto pass = Pass(cloud.Draw(400, 400), 1);
  // 225 of 450 over 347 pixels = 173; 20 of 40 over 307 = 153 up from 307.
  std::vector<std::string> expected = {
      "GetDC", "SelectObject pen solid 1 646464", "SetViewportOrg 45 8"};
  for (const std::string& call : PointCalls(173, 154, "3232FA", "000000")) {
    expected.push_back(call);
  }
  expected.push_back("SelectObject pen solid 1 000000");
  expected.push_back("ReleaseDC");
  EXPECT_EQ(pass, expected);
}

TEST(VariogramCloudTest, SelectedPointsAreDrawnAgainInCyanAfterTheCloud) {
  Cloud cloud = TenPoints();
  cloud.Select({3, 7});
  const auto log = cloud.Draw(400, 400);
  EXPECT_EQ(CallsStartingWith(Pass(log, 1), "Ellipse ").size(), 10u);
  // Point 3 at (111, 11.1) and point 7 at (259, 25.9).
  const std::vector<std::string> expected_marks = {"Ellipse 83 220 87 224",
                                                   "Ellipse 197 107 201 111"};
  const auto selection = Pass(log, 2);
  EXPECT_EQ(CallsStartingWith(selection, "Ellipse "), expected_marks);
  const auto first = PointCalls(85, 222, "FFFF00", "FFFF00");
  ASSERT_GE(selection.size(), 3 + first.size());
  EXPECT_EQ(std::vector<std::string>(selection.begin() + 3,
                                     selection.begin() + 3 + first.size()),
            first);
  // The same points in the cloud pass, in the cloud's colours.
  const auto cloud_marks = CallsDrawnWith(Pass(log, 1), "Ellipse ",
                                          "pen solid 1 000000 | brush 3232FA");
  ASSERT_EQ(cloud_marks.size(), 10u);
  EXPECT_EQ(cloud_marks[3], expected_marks[0]);
  EXPECT_EQ(cloud_marks[7], expected_marks[1]);
}

// Regression: the selection numbers index the host's value arrays unchecked,
// so a number below 0 or at or beyond the point count read past the arrays.
// A window that does not record gets the cloud in runs: the same pixels as
// the calls one by one that a recording window gets.
TEST(VariogramCloudTest, RunsPaintAsTheCallsOneByOne) {
  Cloud cloud = TenPoints();
  cloud.Select({3, 7});
  RecordingWindow one_by_one(300, 200);
  CanvasWindow in_runs(300, 200);
  _kvGraphDrawVrgCldPlt(cloud.graph(), one_by_one.Wnd());
  _kvGraphDrawVrgCldPlt(cloud.graph(), in_runs.Wnd());
  int differing = 0;
  for (int i = 0; i < 300 * 200; ++i) {
    differing += one_by_one.window().Pixel(i % 300, i / 300) !=
                 in_runs.Pixel(i % 300, i / 300);
  }
  EXPECT_EQ(differing, 0) << "cloud and selection in 300 x 200";
}

TEST(VariogramCloudTest, SelectionNumbersOutsideTheCloudAreSkipped) {
  Cloud cloud = TenPoints();
  cloud.Select({-1, 10, 1 << 30, std::numeric_limits<LONG>::min(), 2});
  const auto marks =
      CallsStartingWith(Pass(cloud.Draw(400, 400), 2), "Ellipse ");
  EXPECT_EQ(marks, std::vector<std::string>{"Ellipse 55 249 59 253"});
}

TEST(VariogramCloudTest, EmptyOrMissingSelectionDrawsNoHighlight) {
  struct Row {
    const char* name;
    bool null_list;
    LONG count;
  } rows[] = {
      {"no selection list", true, 2},
      {"count 0", false, 0},
      {"negative count", false, -4},
  };
  for (const Row& row : rows) {
    Cloud cloud = TenPoints();
    std::vector<LONG> selected = {1, 2};
    _kvLoadVrgCldSelInfo(cloud.graph(),
                         row.null_list ? nullptr : selected.data(), row.count);
    const auto selection = Pass(cloud.Draw(400, 400), 2);
    // The pass still takes and gives back its device context.
    EXPECT_EQ(selection, (std::vector<std::string>{
                             "GetDC", "SelectObject pen solid 1 646464",
                             "SetViewportOrg 45 8",
                             "SelectObject pen solid 1 000000", "ReleaseDC"}))
        << row.name;
  }
}

TEST(VariogramCloudTest, CountZeroDrawsFrameAndLabelsOnly) {
  struct Row {
    const char* name;
    LONG count;
  } rows[] = {{"count 0", 0}, {"negative count", -3}};
  const auto full = TenPoints().Draw(400, 400);
  for (const Row& row : rows) {
    Cloud cloud = TenPoints();
    std::vector<double> x = {1, 2, 3};
    std::vector<double> y = {1, 2, 3};
    _kvGraphLoadLocPnts(cloud.graph(), x.data(), y.data(), row.count);
    cloud.Select({0, 1});
    const auto log = cloud.Draw(400, 400);
    EXPECT_EQ(LinesStartingWith(log, "Ellipse ").size(), 0u) << row.name;
    EXPECT_EQ(Pass(log, 0), Pass(full, 0)) << row.name;
  }
}

TEST(VariogramCloudTest, WorldtoScreenUsesTheLastDrawsMapping) {
  Cloud cloud = TenPoints();
  cloud.Draw(400, 400);
  EXPECT_EQ(cloud.Screen(0, 0), "0 307");  // (0, PH)
  EXPECT_EQ(cloud.Screen(450, 40), "347 0");
  EXPECT_EQ(cloud.Screen(225, 20), "173 154");
  cloud.Draw(800, 600);
  EXPECT_EQ(cloud.Screen(0, 0), "0 529");
  int sx = 0;
  int sy = 0;
  EXPECT_EQ(_kvGraphWorldtoScreen(nullptr, 0, 0, sx, sy), -1);
}

TEST(VariogramCloudTest, WorldtoScreenBeforeAnyDrawDoesNotCrash) {
  Cloud cloud = TenPoints();
  EXPECT_EQ(cloud.Screen(10, 10), "0 0");
  EXPECT_EQ(cloud.Screen(kNaN, 1e300), "0 0");
}

TEST(VariogramCloudTest, NegativeRangeTakesTheOtherAxisRange) {
  // X window reversed: the X range becomes the Y range 37 (axis 10..50).
  Cloud cloud({20}, {20}, 10, 5, 0, 37);
  cloud.Draw(400, 400);
  EXPECT_EQ(cloud.Screen(10, 0), "0 307");
  EXPECT_EQ(cloud.Screen(50, 40), "347 0");
}

TEST(VariogramCloudTest, DegenerateInputDrawsOnlyTheRepaint) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    int width;
    int height;
    double x_min;
    double x_max;
    double y_min;
    double y_max;
  } rows[] = {
      {"zero ranges", 400, 400, 5, 5, 3, 3},
      {"zero X range", 400, 400, 5, 5, 0, 37},
      {"both ranges negative", 400, 400, 5, 0, 3, 0},
      {"nan window", 400, 400, kNaN, 370, 0, 37},
      {"infinite window", 400, 400, 0, inf, 0, 37},
      {"zero-width window", 0, 400, 0, 370, 0, 37},
      {"zero-height window", 400, 0, 0, 370, 0, 37},
  };
  for (const Row& row : rows) {
    Cloud cloud({1, 2}, {1, 2}, row.x_min, row.x_max, row.y_min, row.y_max);
    EXPECT_EQ(cloud.Draw(row.width, row.height), RepaintOnly()) << row.name;
  }
}

TEST(VariogramCloudTest, MissingArraysOrWindowDrawNothing) {
  Cloud cloud = TenPoints();
  std::vector<double> y = {1};
  _kvGraphLoadLocPnts(cloud.graph(), nullptr, y.data(), 1);
  EXPECT_EQ(cloud.Draw(400, 400), RepaintOnly());
  EXPECT_EQ(
      Balanced([&] { return _kvGraphDrawVrgCldPlt(cloud.graph(), nullptr); }),
      1);
  EXPECT_EQ(_kvGraphDrawVrgCldPlt(nullptr, nullptr), -1);
  EXPECT_EQ(_kvLoadVrgCldSelInfo(nullptr, nullptr, 0), -1);
}

TEST(VariogramCloudTest, DrawingTwiceGivesTheSameLog) {
  Cloud cloud = TenPoints();
  cloud.Select({1, 4});
  EXPECT_EQ(cloud.Draw(500, 300), cloud.Draw(500, 300));
}

}  // namespace
