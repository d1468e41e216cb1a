// The variogram-cloud location map drawn through the exports, checked on the
// call log and, for the rendered picture, on a few pixels.
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "include/KorvaGraphLib.h"
#include "test_support/locations.h"
#include "test_support/log_filters.h"
#include "test_support/recording.h"
#include "test_support/samples.h"

namespace {

using kgtest::CallsDrawnWith;
using kgtest::CallsStartingWith;
using kgtest::Corner;
using kgtest::LinesStartingWith;
using kgtest::LocatedSample;
using kgtest::RecordingWindow;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr LONG kPairMapType = 11;

// A pair map over samples held by the test, as a host holds them. With the
// default box 0..37 both axes run from 0 to 40; in a 400 x 300 window the
// plot is 390 x 285 pixels (9.75 and 7.125 pixels per unit).
class PairMap {
 public:
  explicit PairMap(std::vector<KvDiscPnt> primary, double minimum = 0.0,
                   double maximum = 10.0)
      : graph_(kPairMapType), primary_(std::move(primary)) {
    Expect(_kvGraphLoadDiscPnts(graph(), primary_.data(),
                                static_cast<LONG>(primary_.size())));
    Expect(_kvGraphSetDataExtr(graph(), minimum, maximum));
    SetBox(0, 37, 0, 37);
  }

  CKorvaGraph* graph() const { return graph_.get(); }

  void SetBox(double min_x, double max_x, double min_y, double max_y) {
    Expect(_kvGraphSetCoordExtr(graph(), Corner(min_x, min_y),
                                Corner(max_x, max_y)));
  }
  void SetSecond(std::vector<KvDiscPnt> second) {
    second_ = std::move(second);
    Expect(_kvGraphLoadDiscPnts2(graph(), second_.data(),
                                 static_cast<LONG>(second_.size())));
  }
  void SetPairs(std::vector<KVL_DOT> pairs) {
    pairs_ = std::move(pairs);
    Expect(_kvLoadVrgCldLocSelInfo(graph(), pairs_.data(),
                                   static_cast<LONG>(pairs_.size())));
  }

  std::vector<std::string> Draw(RecordingWindow& window) {
    const GdiLedger before = CurrentGdiLedger();
    EXPECT_EQ(_kvGraphDrawVrgCldLocmPlt(graph(), window.Wnd()), 1);
    EXPECT_EQ(CurrentGdiLedger(), before);
    return window.Take();
  }
  std::vector<std::string> Draw(int width = 400, int height = 300) {
    RecordingWindow window(width, height);
    return Draw(window);
  }

 private:
  // Every export returns 1 and leaves no drawing object or context behind.
  void Expect(LONG status) {
    EXPECT_EQ(status, 1);
    EXPECT_EQ(CurrentGdiLedger(), ledger_);
  }

  kgtest::ScopedGraph graph_;
  GdiLedger ledger_ = CurrentGdiLedger();
  std::vector<KvDiscPnt> primary_;
  std::vector<KvDiscPnt> second_;
  std::vector<KVL_DOT> pairs_;
};

std::vector<std::string> PrimaryMarks(const std::vector<std::string>& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush C85050");
}
std::vector<std::string> SecondMarks(const std::vector<std::string>& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush 0000FF");
}
std::vector<std::string> PairCircles(const std::vector<std::string>& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush FFFF00");
}
std::vector<std::string> Links(const std::vector<std::string>& log) {
  return CallsDrawnWith(log, "LineTo ", "pen solid 1 FFFF00");
}

TEST(PairMapTest, ExactCallLog) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 2)});
  map.SetPairs({{0, 1}});
  const std::vector<std::string> expected = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      // Pass 0: primary samples, black outline and their own fill.
      "GetDC",
      "SelectObject pen solid 1 FF0000",
      "SetViewportOrg 10 5",
      "SelectObject pen solid 1 000000",
      "SelectObject brush C85050",
      "Ellipse 94 211 100 217 | dev 104 216 110 222 | pen solid 1 000000 | "
      "brush C85050",
      "SelectObject brush FFFFFF",
      "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000",
      "SelectObject brush C85050",
      "Ellipse 289 140 295 146 | dev 299 145 305 151 | pen solid 1 000000 | "
      "brush C85050",
      "SelectObject brush FFFFFF",
      "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000",
      "ReleaseDC",
      // Pass 2: one cyan pen and brush for both end circles and the link,
      // drawn from the second end to the first.
      "GetDC",
      "SelectObject pen solid 1 FF0000",
      "SetViewportOrg 10 5",
      "SelectObject pen solid 1 FFFF00",
      "SelectObject brush FFFF00",
      "Ellipse 92 209 102 219 | dev 102 214 112 224 | pen solid 1 FFFF00 | "
      "brush FFFF00",
      "Ellipse 287 138 297 148 | dev 297 143 307 153 | pen solid 1 FFFF00 | "
      "brush FFFF00",
      "MoveTo 292 143",
      "LineTo 97 214 | dev 107 219 | pen solid 1 FFFF00",
      "SelectObject brush FFFFFF",
      "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000",
      "ReleaseDC",
  };
  EXPECT_EQ(map.Draw(), expected);
}

TEST(PairMapTest, PlotRectangleOf400By300Window) {
  // The axis corners land on the plot rectangle (10, 5) - (400, 290).
  PairMap map({LocatedSample(0, 40, 1), LocatedSample(40, 0, 1)});
  const auto log = map.Draw(400, 300);
  EXPECT_EQ(
      CallsStartingWith(log, "SetViewportOrg "),
      std::vector<std::string>({"SetViewportOrg 10 5", "SetViewportOrg 10 5"}));
  const auto marks = LinesStartingWith(log, "Ellipse ");
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_NE(marks[0].find("Ellipse -3 -3 3 3 | dev 7 2 13 8 |"),
            std::string::npos)
      << marks[0];
  EXPECT_NE(marks[1].find("Ellipse 387 282 393 288 | dev 397 287 403 293 |"),
            std::string::npos)
      << marks[1];
}

TEST(PairMapTest, BoxFrom9To46FloorsTheOriginTo5) {
  // x range 37 -> step 5, range 40, origin 5, end 45: 9.75 pixels per unit.
  PairMap map({LocatedSample(5, 20, 1), LocatedSample(45, 20, 1),
               LocatedSample(46, 20, 1), LocatedSample(4.99, 20, 1)});
  map.SetBox(9, 46, 0, 37);
  EXPECT_EQ(PrimaryMarks(map.Draw()),
            std::vector<std::string>(
                {"Ellipse -3 140 3 146", "Ellipse 387 140 393 146"}));
}

TEST(PairMapTest, AttributeWindowBoundsAreInside) {
  struct Row {
    const char* name;
    double value;
    size_t marks;
  } rows[] = {
      {"value at the minimum", 1.0, 1}, {"value at the maximum", 3.0, 1},
      {"value inside", 2.0, 1},         {"value below", 0.999, 0},
      {"value above", 3.001, 0},        {"NaN value", kNaN, 0},
      {"infinite value", kInf, 0},
  };
  for (const Row& row : rows) {
    PairMap map({LocatedSample(10, 10, row.value)}, 1.0, 3.0);
    EXPECT_EQ(PrimaryMarks(map.Draw()).size(), row.marks) << row.name;
  }
}

TEST(PairMapTest, SampleOutsideTheWindowCanStillEndAPair) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 99)}, 0, 5);
  map.SetPairs({{0, 1}});
  const auto log = map.Draw();
  EXPECT_EQ(PrimaryMarks(log),
            std::vector<std::string>({"Ellipse 94 211 100 217"}));
  EXPECT_EQ(PairCircles(log),
            std::vector<std::string>(
                {"Ellipse 92 209 102 219", "Ellipse 287 138 297 148"}));
  EXPECT_EQ(Links(log), std::vector<std::string>({"LineTo 97 214"}));
}

TEST(PairMapTest, WithoutSecondSamplesPairsIndexThePrimarySamples) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 1)});
  map.SetPairs({{1, 0}});
  const auto log = map.Draw();
  // Pass 1 does not run: two passes only.
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 2u);
  EXPECT_TRUE(SecondMarks(log).empty());
  // From the second end (primary 0) to the first (primary 1).
  EXPECT_EQ(CallsStartingWith(log, "MoveTo "),
            std::vector<std::string>({"MoveTo 97 214"}));
  EXPECT_EQ(Links(log), std::vector<std::string>({"LineTo 292 143"}));
}

TEST(PairMapTest, SecondSamplesAreRedAndEndEveryPair) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 1)});
  // No window test for the second samples; the one beyond the box is not drawn.
  map.SetSecond({LocatedSample(20, 30, 99), LocatedSample(40, 40, -5),
                 LocatedSample(41, 0, 1)});
  map.SetPairs({{0, 1}});
  const auto log = map.Draw();
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_EQ(PrimaryMarks(log).size(), 2u);
  EXPECT_EQ(SecondMarks(log),
            std::vector<std::string>(
                {"Ellipse 192 69 198 75", "Ellipse 387 -3 393 3"}));
  // Primary 0 linked to second 1 at the plot's top-right corner.
  EXPECT_EQ(CallsStartingWith(log, "MoveTo "),
            std::vector<std::string>({"MoveTo 390 0"}));
  EXPECT_EQ(Links(log), std::vector<std::string>({"LineTo 97 214"}));
  // Primary points first, then second points, then pairs on top.
  const auto marks = CallsStartingWith(log, "Ellipse ");
  ASSERT_EQ(marks.size(), 6u);
  EXPECT_EQ(marks[2], "Ellipse 192 69 198 75");
  EXPECT_EQ(marks[4], "Ellipse 92 209 102 219");
}

TEST(PairMapTest, PairWithAnEndOutsideTheBoxDrawsNothing) {
  struct Row {
    const char* name;
    KvDiscPnt first;
    KvDiscPnt second;
    size_t circles;
  } rows[] = {
      {"both inside", LocatedSample(10, 10, 1), LocatedSample(30, 20, 1), 2},
      {"both on the axis ends", LocatedSample(0, 0, 1),
       LocatedSample(40, 40, 1), 2},
      {"first beyond x end", LocatedSample(41, 10, 1), LocatedSample(30, 20, 1),
       0},
      {"second below y origin", LocatedSample(10, 10, 1),
       LocatedSample(30, -1, 1), 0},
      {"second at NaN", LocatedSample(10, 10, 1), LocatedSample(kNaN, 20, 1),
       0},
  };
  for (const Row& row : rows) {
    PairMap map({row.first, row.second});
    map.SetPairs({{0, 1}});
    const auto log = map.Draw();
    EXPECT_EQ(PairCircles(log).size(), row.circles) << row.name;
    EXPECT_EQ(Links(log).size(), row.circles / 2) << row.name;
    EXPECT_EQ(LinesStartingWith(log, "SelectObject pen solid 1 FFFF00").size(),
              row.circles / 2)
        << row.name;
  }
}

// Regression: pair indices come from the host unchecked, and an index beyond
// its sample array (or a negative one) was read past the host's array. Such a
// pair is now skipped and the valid pairs around it are still drawn. The
// loaded arrays sit between in-box neighbours, so a read past either end
// would show up as an extra link.
TEST(PairMapTest, PairIndicesOutsideTheirArraysAreSkipped) {
  struct Row {
    const char* name;
    KVL_DOT pair;
    bool second_set;  // load one second sample
  } rows[] = {
      {"first beyond the primary count", {2, 0}, false},
      {"first negative", {-1, 0}, false},
      {"first at LONG_MIN", {INT32_MIN, 0}, false},
      {"second beyond the primary count", {0, 2}, false},
      {"second negative", {0, -1}, false},
      {"second at LONG_MAX", {0, INT32_MAX}, false},
      {"second beyond the second count", {0, 1}, true},
      {"second negative with second samples", {0, -1}, true},
  };
  for (const Row& row : rows) {
    kgtest::ScopedGraph graph(kPairMapType);
    KvDiscPnt primary[] = {LocatedSample(5, 5, 1), LocatedSample(10, 10, 1),
                           LocatedSample(30, 20, 1), LocatedSample(35, 35, 1)};
    KvDiscPnt second[] = {LocatedSample(5, 30, 1), LocatedSample(20, 20, 1),
                          LocatedSample(30, 5, 1)};
    KVL_DOT pairs[] = {{0, 0}, row.pair, {1, 0}};
    _kvGraphLoadDiscPnts(graph.get(), primary + 1, 2);
    if (row.second_set) _kvGraphLoadDiscPnts2(graph.get(), second + 1, 1);
    _kvGraphSetDataExtr(graph.get(), 0, 5);
    _kvGraphSetCoordExtr(graph.get(), Corner(0, 0), Corner(37, 37));
    _kvLoadVrgCldLocSelInfo(graph.get(), pairs, 3);
    RecordingWindow window(400, 300);
    EXPECT_EQ(_kvGraphDrawVrgCldLocmPlt(graph.get(), window.Wnd()), 1);
    EXPECT_TRUE(window.LedgerBalanced()) << row.name;
    const auto log = window.Take();
    // Only the two valid pairs around the bad one are linked.
    EXPECT_EQ(PairCircles(log).size(), 4u) << row.name;
    EXPECT_EQ(Links(log).size(), 2u) << row.name;
  }
}

TEST(PairMapTest, DegenerateInputDrawsNothingButTheRepaint) {
  struct Row {
    const char* name;
    int width;
    int height;
    double box_max_x;  // box 0..box_max_x by 0..37
    bool load_primary;
    bool null_window;
  } rows[] = {
      {"zero-size window", 0, 0, 37, true, false},
      {"window narrower than the margin", 8, 300, 37, true, false},
      {"window lower than the margins", 400, 14, 37, true, false},
      {"zero-extent box", 400, 300, 0, true, false},
      {"NaN box", 400, 300, kNaN, true, false},
      {"infinite box", 400, 300, kInf, true, false},
      {"inverted box takes the other axis's range", 400, 300, -37, true, false},
      {"no primary samples", 400, 300, 37, false, false},
  };
  for (const Row& row : rows) {
    kgtest::ScopedGraph graph(kPairMapType);
    KvDiscPnt samples[] = {LocatedSample(10, 10, 1), LocatedSample(-20, 20, 1)};
    KVL_DOT pairs[] = {{0, 1}};
    if (row.load_primary) _kvGraphLoadDiscPnts(graph.get(), samples, 2);
    _kvGraphSetDataExtr(graph.get(), 0, 5);
    _kvGraphSetCoordExtr(graph.get(), Corner(0, 0), Corner(row.box_max_x, 37));
    _kvLoadVrgCldLocSelInfo(graph.get(), pairs, 1);
    RecordingWindow window(row.width, row.height);
    EXPECT_EQ(_kvGraphDrawVrgCldLocmPlt(graph.get(), window.Wnd()), 1)
        << row.name;
    EXPECT_TRUE(window.LedgerBalanced()) << row.name;
    const auto log = window.Take();
    if (std::string(row.name).rfind("inverted", 0) == 0) {
      // x range -37 takes the y range: x runs from 0 to 40 as well, so the
      // sample at x = -20 and the pair ending there are not drawn.
      EXPECT_EQ(PrimaryMarks(log).size(), 1u) << row.name;
      EXPECT_TRUE(PairCircles(log).empty()) << row.name;
      continue;
    }
    EXPECT_EQ(log, std::vector<std::string>(
                       {"InvalidateRect erase=1", "UpdateWindow"}))
        << row.name;
  }
}

TEST(PairMapTest, NullWindowNegativeCountsAndNullPairsAreHarmless) {
  PairMap map({LocatedSample(10, 10, 1)});
  EXPECT_EQ(_kvGraphDrawVrgCldLocmPlt(map.graph(), nullptr), 1);

  KvDiscPnt samples[] = {LocatedSample(10, 10, 1)};
  _kvGraphLoadDiscPnts(map.graph(), samples, -3);
  _kvGraphLoadDiscPnts2(map.graph(), samples, -1);
  _kvLoadVrgCldLocSelInfo(map.graph(), nullptr, 5);
  const auto log = map.Draw();
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 3u);
  EXPECT_TRUE(LinesStartingWith(log, "Ellipse ").empty());
  EXPECT_TRUE(LinesStartingWith(log, "LineTo ").empty());
}

TEST(PairMapTest, DrawingTwiceGivesTheSameLogAndResizeIsFollowed) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 1)});
  map.SetPairs({{0, 1}});
  RecordingWindow window(400, 300);
  const auto first = map.Draw(window);
  EXPECT_EQ(map.Draw(window), first);
  window.window().Resize(200, 100);
  // 190 x 85 pixels for 40 units: (10, 10) maps to (47, 64).
  EXPECT_EQ(PrimaryMarks(map.Draw(window))[0], "Ellipse 44 61 50 67");
}

TEST(PairMapTest, RenderedPicture) {
  std::vector<KvDiscPnt> primary;
  for (int i = 0; i < 48; ++i) {
    const double x = 2.0 + (i % 8) * 5.0 + (i % 3);
    const double y = 3.0 + (i / 8) * 6.0 + (i % 2);
    primary.push_back(LocatedSample(x, y, i % 6 == 0 ? 50.0 : i * 0.2));
  }
  PairMap map(primary, 0.0, 10.0);
  map.SetBox(0, 42, 0, 38);
  map.SetSecond({LocatedSample(12.5, 20.5, 0), LocatedSample(30.5, 9.5, 0),
                 LocatedSample(21.5, 33.5, 0), LocatedSample(34.5, 28.5, 0),
                 LocatedSample(6.5, 15.5, 0)});
  map.SetPairs({{1, 0}, {20, 2}, {45, 1}, {7, 2}});
  RecordingWindow window(400, 300);
  map.Draw(window);
  ASSERT_TRUE(
      window.window().SavePng(::testing::TempDir() + "vrg_cld_locm_plt.png"));

  // Axes 0..45 by 0..40. Primary sample 9 (x 7, y 10, value 1.8) in its
  // fill; the end circle at second sample 0 in cyan.
  LONG sx = 10 + static_cast<LONG>(7 * 390.0 / 45.0);
  LONG sy = 5 + 285 - static_cast<LONG>(10 * 285.0 / 40.0);
  EXPECT_EQ(window.window().Pixel(sx, sy), RGB(80, 80, 200));
  sx = 10 + static_cast<LONG>(12.5 * 390.0 / 45.0);
  sy = 5 + 285 - static_cast<LONG>(20.5 * 285.0 / 40.0);
  EXPECT_EQ(window.window().Pixel(sx, sy), RGB(0, 255, 255));
  // Nothing drawn in the left margin.
  EXPECT_EQ(window.window().Pixel(3, 150), RGB(255, 255, 255));
}

}  // namespace
