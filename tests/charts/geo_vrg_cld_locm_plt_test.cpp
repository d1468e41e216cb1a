// The variogram-cloud location map drawn through the exports.
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "platform/win_types.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::CallsDrawnWith;
using kgtest::CallsStartingWith;
using kgtest::Corner;
using kgtest::LocatedSample;
using Log = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Log kRepaintOnly = {"InvalidateRect erase=1", "UpdateWindow"};

// A pair map over the test's arrays; every export must return 1 and leave the
// ledger as it was. Box 0..37 gives axes 0..40; a 400 x 300 window gives a
// 390 x 285 plot (9.75 and 7.125 pixels per unit).
struct PairMap {
  explicit PairMap(std::vector<KvDiscPnt> samples, double box_max_x = 37,
                   double box_min_x = 0)
      : primary(std::move(samples)) {
    Check(_kvGraphLoadDiscPnts(graph.get(), primary.data(),
                               static_cast<LONG>(primary.size())));
    Check(_kvGraphSetDataExtr(graph.get(), 1, 3));
    Check(_kvGraphSetCoordExtr(graph.get(), Corner(box_min_x, 0),
                               Corner(box_max_x, 37)));
  }
  void Check(LONG status) {
    EXPECT_EQ(status, 1);
    EXPECT_EQ(CurrentGdiLedger(), ledger);
  }
  void SetSecond(std::vector<KvDiscPnt> samples) {
    second = std::move(samples);
    Check(_kvGraphLoadDiscPnts2(graph.get(), second.data(),
                                static_cast<LONG>(second.size())));
  }
  void SetPairs(std::vector<KVL_DOT> list) {
    pairs = std::move(list);
    Check(_kvLoadVrgCldLocSelInfo(graph.get(), pairs.data(),
                                  static_cast<LONG>(pairs.size())));
  }
  Log Draw(kgtest::RecordingWindow& window) {
    Check(_kvGraphDrawVrgCldLocmPlt(graph.get(), window.Wnd()));
    return window.Take();
  }
  Log Draw(int width = 400, int height = 300) {
    kgtest::RecordingWindow window(width, height);
    return Draw(window);
  }

  kgtest::ScopedGraph graph{11};
  GdiLedger ledger = CurrentGdiLedger();
  std::vector<KvDiscPnt> primary, second;
  std::vector<KVL_DOT> pairs;
};

Log PrimaryMarks(const Log& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush C85050");
}
Log SecondMarks(const Log& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush 0000FF");
}
Log PairCircles(const Log& log) {
  return CallsDrawnWith(log, "Ellipse ", "brush FFFF00");
}
Log Links(const Log& log) {
  return CallsDrawnWith(log, "LineTo ", "pen solid 1 FFFF00");
}

TEST(PairMapTest, ExactCallLog) {
  PairMap map({LocatedSample(10, 10, 1), LocatedSample(30, 20, 2)});
  map.SetPairs({{0, 1}});
  const Log expected = {
      "InvalidateRect erase=1", "UpdateWindow",
      // Pass 0: primary samples, black outline and their own fill.
      "GetDC", "SelectObject pen solid 1 FF0000", "SetViewportOrg 10 5",
      "SelectObject pen solid 1 000000", "SelectObject brush C85050",
      "Ellipse 94 211 100 217 | dev 104 216 110 222 | pen solid 1 000000 | "
      "brush C85050",
      "SelectObject brush FFFFFF", "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000", "SelectObject brush C85050",
      "Ellipse 289 140 295 146 | dev 299 145 305 151 | pen solid 1 000000 | "
      "brush C85050",
      "SelectObject brush FFFFFF", "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000", "ReleaseDC",
      // Pass 2: one cyan pen and brush for both ends and the link, drawn
      // from the second end to the first.
      "GetDC", "SelectObject pen solid 1 FF0000", "SetViewportOrg 10 5",
      "SelectObject pen solid 1 FFFF00", "SelectObject brush FFFF00",
      "Ellipse 92 209 102 219 | dev 102 214 112 224 | pen solid 1 FFFF00 | "
      "brush FFFF00",
      "Ellipse 287 138 297 148 | dev 297 143 307 153 | pen solid 1 FFFF00 | "
      "brush FFFF00",
      "MoveTo 292 143", "LineTo 97 214 | dev 107 219 | pen solid 1 FFFF00",
      "SelectObject brush FFFFFF", "SelectObject pen solid 1 FF0000",
      "SelectObject pen solid 1 000000", "ReleaseDC"};
  EXPECT_EQ(map.Draw(), expected);
}

TEST(PairMapTest, MarksAgainstWindowAndAxes) {
  struct Row {
    const char* name;
    double box_max_x;  // box x 0..37 or 9..46
    KvDiscPnt sample;
    const char* mark;  // null: not drawn
  } rows[] = {
      // 400 x 300 window: the axis corners land on (10, 5) and (400, 290).
      {"top-left corner", 37, LocatedSample(0, 40, 2), "Ellipse -3 -3 3 3"},
      {"bottom-right corner", 37, LocatedSample(40, 0, 2),
       "Ellipse 387 282 393 288"},
      // Box x 9..46: step 5, range 40, origin 5, end 45.
      {"x at the origin 5", 46, LocatedSample(5, 20, 2),
       "Ellipse -3 140 3 146"},
      {"x at the end 45", 46, LocatedSample(45, 20, 2),
       "Ellipse 387 140 393 146"},
      {"x = 46 beyond the end", 46, LocatedSample(46, 20, 2), nullptr},
      {"value at the window minimum", 37, LocatedSample(10, 10, 1),
       "Ellipse 94 211 100 217"},
      {"value at the window maximum", 37, LocatedSample(10, 10, 3),
       "Ellipse 94 211 100 217"},
      {"value below the window", 37, LocatedSample(10, 10, 0.99), nullptr},
      {"value above the window", 37, LocatedSample(10, 10, 3.01), nullptr},
      {"NaN value", 37, LocatedSample(10, 10, kNaN), nullptr},
      {"NaN coordinate", 37, LocatedSample(kNaN, 10, 2), nullptr},
  };
  for (const Row& row : rows) {
    PairMap map({row.sample}, row.box_max_x, row.box_max_x == 46 ? 9 : 0);
    const Log expected = row.mark ? Log{row.mark} : Log{};
    EXPECT_EQ(PrimaryMarks(map.Draw()), expected) << row.name;
  }
}

TEST(PairMapTest, PairEnds) {
  struct Row {
    const char* name;
    bool second_set;
    KVL_DOT pair;
    Log link;  // from the second end to the first
  } rows[] = {
      {"second index refers to primary samples",
       false,
       {1, 0},
       {"MoveTo 97 214", "LineTo 292 143"}},
      {"end outside the window still linked",
       false,
       {0, 2},
       {"MoveTo 195 72", "LineTo 97 214"}},
      {"second index refers to second samples",
       true,
       {0, 0},
       {"MoveTo 48 36", "LineTo 97 214"}},
      {"primary end beyond the box", false, {3, 0}, {}},
      {"second end below the box", true, {0, 1}, {}},
  };
  for (const Row& row : rows) {
    PairMap map({LocatedSample(10, 10, 2), LocatedSample(30, 20, 2),
                 LocatedSample(20, 30, 99), LocatedSample(41, 10, 2)});
    // Second samples: no window test, not drawn beyond the box.
    if (row.second_set) {
      map.SetSecond({LocatedSample(5, 35, 99), LocatedSample(30, -1, 2)});
    }
    map.SetPairs({row.pair});
    const Log log = map.Draw();
    EXPECT_EQ(PrimaryMarks(log).size(), 2u) << row.name;
    EXPECT_EQ(SecondMarks(log).size(), row.second_set ? 1u : 0u) << row.name;
    EXPECT_EQ(CallsStartingWith(log, "GetDC").size(), row.second_set ? 3u : 2u)
        << row.name;
    Log link = CallsStartingWith(log, "MoveTo ");
    for (const std::string& line : Links(log)) link.push_back(line);
    EXPECT_EQ(link, row.link) << row.name;
    EXPECT_EQ(PairCircles(log).size(), row.link.empty() ? 0u : 2u) << row.name;
  }
}

// Regression: pair indices come from the host unchecked, and an index beyond
// its sample array (or a negative one) was read past the host's array. Such a
// pair is now skipped. The loaded arrays sit between in-box neighbours, so a
// read past either end would show up as an extra link.
TEST(PairMapTest, PairIndicesOutsideTheirArraysAreSkipped) {
  struct Row {
    const char* name;
    KVL_DOT pair;
    bool second_set;  // load one second sample
  } rows[] = {
      {"first beyond the count", {2, 0}, false},
      {"first negative", {-1, 0}, false},
      {"first at the lowest index", {INT32_MIN, 0}, false},
      {"second beyond the primary count", {0, 2}, false},
      {"second negative", {0, -1}, false},
      {"second at the highest index", {0, INT32_MAX}, false},
      {"second beyond the second count", {0, 1}, true},
      {"second negative with second samples", {0, -1}, true},
  };
  for (const Row& row : rows) {
    KvDiscPnt primary[] = {LocatedSample(5, 5, 2), LocatedSample(10, 10, 2),
                           LocatedSample(30, 20, 2), LocatedSample(35, 35, 2)};
    KvDiscPnt second[] = {LocatedSample(5, 30, 2), LocatedSample(20, 20, 2),
                          LocatedSample(30, 5, 2)};
    KVL_DOT pairs[] = {{0, 0}, row.pair, {1, 0}};
    PairMap map({});
    map.Check(_kvGraphLoadDiscPnts(map.graph.get(), primary + 1, 2));
    if (row.second_set) {
      map.Check(_kvGraphLoadDiscPnts2(map.graph.get(), second + 1, 1));
    }
    map.Check(_kvLoadVrgCldLocSelInfo(map.graph.get(), pairs, 3));
    const Log log = map.Draw();
    EXPECT_EQ(PairCircles(log).size(), 4u) << row.name;
    EXPECT_EQ(Links(log).size(), 2u) << row.name;
  }
}

TEST(PairMapTest, DegenerateInputDrawsNothingButTheRepaint) {
  struct Row {
    const char* name;
    int width, height;
    double box_max_x;
  } rows[] = {
      {"zero-size window", 0, 0, 37},
      {"window narrower than the margin", 8, 300, 37},
      {"window lower than the margins", 400, 14, 37},
      {"zero-extent box", 400, 300, 0},
      {"NaN box", 400, 300, kNaN},
      {"infinite box", 400, 300, kInf},
  };
  for (const Row& row : rows) {
    PairMap map({LocatedSample(10, 10, 2)}, row.box_max_x);
    map.SetPairs({{0, 0}});
    EXPECT_EQ(map.Draw(row.width, row.height), kRepaintOnly) << row.name;
  }
  PairMap map({});
  EXPECT_EQ(map.Draw(), kRepaintOnly);
  map.Check(_kvGraphDrawVrgCldLocmPlt(map.graph.get(), nullptr));
  // Negative counts and a null pair list: the passes run and draw nothing.
  KvDiscPnt sample = LocatedSample(10, 10, 2);
  map.Check(_kvGraphLoadDiscPnts(map.graph.get(), &sample, -3));
  map.Check(_kvGraphLoadDiscPnts2(map.graph.get(), &sample, -1));
  map.Check(_kvLoadVrgCldLocSelInfo(map.graph.get(), nullptr, 5));
  const Log log = map.Draw();
  EXPECT_EQ(CallsStartingWith(log, "ReleaseDC").size(), 3u);
  EXPECT_TRUE(CallsStartingWith(log, "Ellipse ").empty());
}

TEST(PairMapTest, RenderedPicture) {
  std::vector<KvDiscPnt> primary;
  for (int i = 0; i < 48; ++i) {
    primary.push_back(LocatedSample(2.0 + (i % 8) * 5.0 + (i % 3),
                                    3.0 + (i / 8) * 6.0 + (i % 2),
                                    i % 6 == 0 ? 50.0 : 1.0 + i * 0.04));
  }
  PairMap map(primary, 42);  // axes 0..45 by 0..40
  map.SetSecond({LocatedSample(12.5, 20.5, 0), LocatedSample(30.5, 9.5, 0),
                 LocatedSample(21.5, 33.5, 0), LocatedSample(34.5, 28.5, 0),
                 LocatedSample(6.5, 15.5, 0)});
  map.SetPairs({{1, 0}, {20, 2}, {45, 1}, {7, 2}});
  kgtest::RecordingWindow window(400, 300);
  map.Draw(window);
  const CanvasWindow& canvas = window.window();
  ASSERT_TRUE(canvas.SavePng(::testing::TempDir() + "vrg_cld_locm_plt.png"));
  // Primary sample 9 at (7, 10) in its fill, second sample 4 in red, the end
  // circle at second sample 0 in cyan.
  EXPECT_EQ(canvas.Pixel(10 + 60, 5 + 285 - 71), RGB(80, 80, 200));
  EXPECT_EQ(canvas.Pixel(10 + 56, 5 + 285 - 110), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(10 + 108, 5 + 285 - 146), RGB(0, 255, 255));
}

}  // namespace
