// The local-mean map and its legend drawn through the exports, checked on the
// call logs of both windows and, for the rendered picture, on a few pixels.
#include "charts/geo_locm_plt.h"

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
using kgtest::TextsDrawn;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr LONG kLocalMeanType = 3;

// Colours the map draws for entries of the "Contour" table: entry 0
// (0, 0, 65535), entry 127 (0, 65535, 514), entry 254 (65535, 1028, 0) and
// entry 255 (65535, 0, 0), each component scaled by 255 / 65536.
constexpr char kEntry0[] = "FE0000";
constexpr char kEntry127[] = "01FE00";
constexpr char kEntry254[] = "0003FE";
constexpr char kEntry255[] = "0000FE";

// A local-mean map over samples held by the test. With the default box
// 0..37 on every axis the axes run from 0 to 40 in steps of 5; in a 400 x 300
// window the plot is (50, 15) - (390, 275): 8.5 and 6.5 pixels per unit.
class LocalMeanMap {
 public:
  explicit LocalMeanMap(std::vector<KvDiscPnt> samples, double minimum = 0.0,
                        double maximum = 10.0, int plane = 0)
      : graph_(kLocalMeanType), samples_(std::move(samples)) {
    Expect(_kvGraphLoadDiscPnts(graph(), samples_.data(),
                                static_cast<LONG>(samples_.size())));
    Expect(_kvGraphSetAxiName(graph(), "East", "North"));
    Expect(_kvGraphSetCoordExtr(graph(), Corner(0, 0, 0), Corner(37, 37, 37)));
    Expect(_kvGraphSetCurPlane(graph(), plane));
    SetWindow(minimum, maximum);
    Compute();
  }

  CKorvaGraph* graph() const { return graph_.get(); }
  void SetWindow(double minimum, double maximum) {
    Expect(_kvGraphSetDataExtr(graph(), minimum, maximum));
  }
  void Compute() { Expect(_kvGraphCptLocmParam(graph())); }
  void SetPlane(int plane) { Expect(_kvGraphSetCurPlane(graph(), plane)); }
  void SetBox(const KVD_3DOT& minimum, const KVD_3DOT& maximum) {
    Expect(_kvGraphSetCoordExtr(graph(), minimum, maximum));
  }

  // Draws into both windows; either may be null.
  void Draw(RecordingWindow* map, RecordingWindow* legend) {
    Expect(_kvGraphDrawLocmPlt(graph(), map != nullptr ? map->Wnd() : nullptr,
                               legend != nullptr ? legend->Wnd() : nullptr));
  }
  // Draws into a 400 x 300 map and a 30 x 100 legend; returns the map's log.
  std::vector<std::string> DrawMap() {
    RecordingWindow map(400, 300);
    RecordingWindow legend(30, 100);
    Draw(&map, &legend);
    return map.Take();
  }

 private:
  // Every export returns 1 and leaves no drawing object or context behind.
  void Expect(LONG status) {
    EXPECT_EQ(status, 1);
    EXPECT_EQ(CurrentGdiLedger(), ledger_);
  }

  kgtest::ScopedGraph graph_;
  GdiLedger ledger_ = CurrentGdiLedger();
  std::vector<KvDiscPnt> samples_;
};

// The sample marks of a map log: "Ellipse ... | brush BBGGRR" calls.
std::vector<std::string> Marks(const std::vector<std::string>& log) {
  return CallsStartingWith(log, "Ellipse ");
}
std::vector<std::string> MarksIn(const std::vector<std::string>& log,
                                 const std::string& color) {
  return CallsDrawnWith(log, "Ellipse ",
                        "pen solid 1 " + color + " | brush " + color);
}

TEST(LocalMeanMapTest, ComponentScaling) {
  struct Row {
    const char* name;
    uint16_t component;
    uint16_t drawn;
  } rows[] = {
      {"zero", 0, 0},
      {"257 stays below 1", 257, 0},
      {"258", 258, 1},
      {"half scale", 32768, 127},
      {"full scale", 65535, 254},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CGeoLocmPlt::ScaleComponent(row.component), row.drawn)
        << row.name;
  }
}

TEST(LocalMeanMapTest, ColourIndexFromTheWindow) {
  struct Row {
    const char* name;
    double minimum;
    double maximum;
    double value;
    const char* color;
  } rows[] = {
      {"minimum gives entry 0", 0, 10, 0, kEntry0},
      {"maximum gives entry 255", 0, 10, 10, kEntry255},
      {"middle gives entry 127", 0, 10, 5, kEntry127},
      {"minimum of 0.1..0.3 gives entry 0", 0.1, 0.3, 0.1, kEntry0},
      // The single-precision limits leave 254.99997 at the maximum.
      {"maximum of 0.1..0.3 gives entry 254", 0.1, 0.3, 0.3, kEntry254},
      {"maximum of 0.1..0.7 gives entry 255", 0.1, 0.7, 0.7, kEntry255},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 10, row.value)}, row.minimum,
                     row.maximum);
    const auto log = map.DrawMap();
    EXPECT_EQ(MarksIn(log, row.color).size(), 1u)
        << row.name << ": "
        << ::testing::PrintToString(LinesStartingWith(log, "Ellipse "));
  }
}

// Regression: a window of zero width made the colour scale infinite, and
// (value - minimum) * scale was then NaN, truncated to an undefined index.
// The scale is now 0, so every sample in the window maps to entry 0; so does
// a window too wide for single precision.
TEST(LocalMeanMapTest, DegenerateWindowsMapToEntryZero) {
  struct Row {
    const char* name;
    double minimum;
    double maximum;
    double value;
  } rows[] = {
      {"equal limits", 5, 5, 5},
      {"limits equal in single precision", 1.0, 1.00000001, 1.000000005},
      {"limits beyond the float range", -1e300, 1e300, 0},
      {"infinite limits", -kInf, kInf, 7},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 10, row.value)}, row.minimum,
                     row.maximum);
    auto* chart = static_cast<CGeoLocmPlt*>(map.graph());
    EXPECT_EQ(chart->color_scale(), 0.0f) << row.name;
    EXPECT_EQ(MarksIn(map.DrawMap(), kEntry0).size(), 1u) << row.name;
  }
}

// Regression: a NaN value passes the window test (both comparisons are
// false) and gave a NaN product truncated to an undefined colour index. It is
// now skipped.
TEST(LocalMeanMapTest, NonFiniteValuesAreSkipped) {
  LocalMeanMap map({LocatedSample(10, 10, kNaN), LocatedSample(20, 20, kInf),
                    LocatedSample(30, 30, -kInf), LocatedSample(5, 5, 5)});
  EXPECT_EQ(Marks(map.DrawMap()),
            std::vector<std::string>({"Ellipse 38 224 46 232"}));
}

TEST(LocalMeanMapTest, OnlySamplesInsideWindowAndAxesAreDrawn) {
  struct Row {
    const char* name;
    KvDiscPnt sample;
    size_t marks;
  } rows[] = {
      {"inside", LocatedSample(10, 10, 5), 1},
      {"on the window bounds", LocatedSample(10, 10, 10), 1},
      {"below the window", LocatedSample(10, 10, -0.5), 0},
      {"above the window", LocatedSample(10, 10, 10.5), 0},
      {"on the axis ends", LocatedSample(40, 40, 5), 1},
      {"beyond the x axis end", LocatedSample(40.5, 10, 5), 0},
      {"below the y axis origin", LocatedSample(10, -0.5, 5), 0},
      {"NaN coordinate", LocatedSample(kNaN, 10, 5), 0},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({row.sample});
    EXPECT_EQ(Marks(map.DrawMap()).size(), row.marks) << row.name;
  }
}

TEST(LocalMeanMapTest, ColoursAreFixedByTheComputeStep) {
  LocalMeanMap map({LocatedSample(10, 10, 5), LocatedSample(20, 20, 15)});
  EXPECT_EQ(Marks(map.DrawMap()).size(), 1u);
  // A wider window draws the second sample, coloured with the old scale:
  // trunc(15 * 25.5) = 382, whose low 8 bits give entry 126.
  map.SetWindow(0, 20);
  const auto log = map.DrawMap();
  EXPECT_EQ(MarksIn(log, kEntry127).size(), 1u);
  EXPECT_EQ(Marks(log).size(), 2u);
  map.Compute();
  EXPECT_EQ(MarksIn(map.DrawMap(), kEntry127).size(), 0u);
}

TEST(LocalMeanMapTest, PlanesMapTheirCoordinates) {
  struct Row {
    const char* name;
    int plane;
    std::string mark;
    std::vector<std::string> texts;
  } rows[] = {
      // (x 10, y 20, z 30): 8.5 and 6.5 pixels per unit on every plane.
      {"plane 0: x and y",
       0,
       "Ellipse 81 126 89 134",
       {"0", "X", "10", "20", "30", "0", "Y", "10", "20", "30"}},
      {"plane 1: y and z",
       1,
       "Ellipse 166 61 174 69",
       {"0", "Y", "10", "20", "30", "0", "Z", "10", "20", "30"}},
      {"plane 2: x and z",
       2,
       "Ellipse 81 61 89 69",
       {"0", "X", "10", "20", "30", "0", "Z", "10", "20", "30"}},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 20, 5, 30)}, 0, 10, row.plane);
    const auto log = map.DrawMap();
    EXPECT_EQ(Marks(log), std::vector<std::string>({row.mark})) << row.name;
    // The plane's letters, whatever names the host set.
    EXPECT_EQ(TextsDrawn(log), row.texts) << row.name;
  }
}

TEST(LocalMeanMapTest, PlaneScalesComeFromTheirBoxExtents) {
  // Plane 1 takes y 0..18.5 (axis 0..20, 17 px per unit) and z 0..37.
  LocalMeanMap map({LocatedSample(99, 10, 5, 20)}, 0, 10, 1);
  map.SetBox(Corner(-500, 0, 0), Corner(500, 18.5, 37));
  EXPECT_EQ(Marks(map.DrawMap()),
            std::vector<std::string>({"Ellipse 166 126 174 134"}));
}

TEST(LocalMeanMapTest, AxesCallLog) {
  LocalMeanMap map({LocatedSample(10, 10, -1)});  // outside the window
  const auto log = map.DrawMap();
  // a = 8 and b = 8 pixels for arrows and ticks, arrowhead sides 8/3 pixels.
  const std::vector<std::string> head = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      "GetDC",
      "SelectObject pen solid 1 FF0000",
      "SetViewportOrg 50 15",
      "SetBkMode 1",
      "SelectObject pen solid 1 000000",
      "MoveTo 0 260",
      "LineTo 340 260 | dev 390 275 | pen solid 1 000000",
      "MoveTo 340 260",
      "LineTo 332 262 | dev 382 277 | pen solid 1 000000",
      "MoveTo 340 260",
      "LineTo 332 258 | dev 382 273 | pen solid 1 000000",
      "MoveTo 0 260",
      "LineTo 0 0 | dev 50 15 | pen solid 1 000000",
      "MoveTo 0 0",
      "LineTo -2 9 | dev 48 24 | pen solid 1 000000",
      "MoveTo 0 0",
      "LineTo 2 9 | dev 52 24 | pen solid 1 000000",
      "SetTextAlign 6",
  };
  ASSERT_GE(log.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + head.size()),
            head);

  // After the axes and arrows (6 lines), per step k = 1..7 of each axis: a
  // major tick 8 pixels long, then four 4-pixel minor ticks before it; none
  // beyond the last major tick.
  const auto lines = CallsDrawnWith(log, "LineTo ", "pen solid 1 000000");
  ASSERT_EQ(lines.size(), 6u + 2 * 7 * 5);
  std::vector<std::string> horizontal_majors;
  std::vector<std::string> vertical_majors;
  for (size_t k = 0; k < 7; ++k) {
    horizontal_majors.push_back(lines[6 + 5 * k]);
    vertical_majors.push_back(lines[41 + 5 * k]);
  }
  EXPECT_EQ(
      horizontal_majors,
      std::vector<std::string>(
          {"LineTo 42 252", "LineTo 85 252", "LineTo 127 252", "LineTo 170 252",
           "LineTo 212 252", "LineTo 255 252", "LineTo 297 252"}));
  EXPECT_EQ(vertical_majors,
            std::vector<std::string>(
                {"LineTo 8 228", "LineTo 8 195", "LineTo 8 163", "LineTo 8 130",
                 "LineTo 8 98", "LineTo 8 65", "LineTo 8 33"}));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.begin() + 11),
            std::vector<std::string>({"LineTo 8 256", "LineTo 17 256",
                                      "LineTo 25 256", "LineTo 34 256"}));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 42, lines.begin() + 46),
            std::vector<std::string>({"LineTo 4 254", "LineTo 4 247",
                                      "LineTo 4 241", "LineTo 4 234"}));
  EXPECT_EQ(CallsStartingWith(log, "SetTextAlign "),
            std::vector<std::string>({"SetTextAlign 6", "SetTextAlign 2"}));
  for (const std::string& line : LinesStartingWith(log, "TextOut ")) {
    EXPECT_NE(line.find("font \"Times New Roman\" 15 0 0"), std::string::npos)
        << line;
  }
  // Labels 4 pixels below the axis, and 5 pixels left of it 8 pixels up.
  const auto texts = CallsStartingWith(log, "TextOut ");
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[0], "TextOut 0 264 \"0\"");
  EXPECT_EQ(texts[1], "TextOut 340 264 \"X\"");
  EXPECT_EQ(texts[5], "TextOut -5 252 \"0\"");
  EXPECT_EQ(texts[6], "TextOut -5 -8 \"Y\"");
}

TEST(LocalMeanMapTest, OtherPlanesDrawOnlyTheLegend) {
  for (int plane : {3, -1, 1000}) {
    LocalMeanMap map({LocatedSample(10, 10, 5)}, 0, 10, plane);
    RecordingWindow window(400, 300);
    RecordingWindow legend(30, 100);
    map.Draw(&window, &legend);
    EXPECT_EQ(window.Take(), std::vector<std::string>(
                                 {"InvalidateRect erase=1", "UpdateWindow"}))
        << "plane " << plane;
    EXPECT_EQ(LinesStartingWith(legend.Take(), "LineTo ").size(), 100u)
        << "plane " << plane;
  }
}

TEST(LocalMeanMapTest, LegendOf100RowsHasFourBandsOf25) {
  LocalMeanMap map({});
  RecordingWindow legend(30, 100);
  map.Draw(nullptr, &legend);
  const auto log = legend.Take();
  // No invalidation and no viewport change: rows from right to left.
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6),
            std::vector<std::string>(
                {"GetDC", "SelectObject pen solid 1 0000FF", "MoveTo 30 0",
                 "LineTo 0 0 | dev 0 0 | pen solid 1 0000FF",
                 "SelectObject pen solid 1 000000",
                 "SelectObject pen solid 1 000AFF"}));
  EXPECT_EQ(log.back(), "ReleaseDC");
  const auto rows = LinesStartingWith(log, "LineTo ");
  ASSERT_EQ(rows.size(), 100u);
  struct Row {
    const char* name;
    size_t row;
    const char* pen;
  } checks[] = {
      {"band 1 starts red", 0, "0000FF"},
      {"row 24 nearly yellow", 24, "00F4FF"},
      {"band 2 starts yellow", 25, "00FFFF"},
      {"band 3 starts green", 50, "00FF00"},
      {"band 4 starts cyan", 75, "FFFF00"},
      {"last row nearly blue", 99, "FF0B00"},
  };
  for (const Row& check : checks) {
    const std::string expected = "LineTo 0 " + std::to_string(check.row) +
                                 " | dev 0 " + std::to_string(check.row) +
                                 " | pen solid 1 " + check.pen;
    EXPECT_EQ(rows[check.row], expected) << check.name;
  }
}

TEST(LocalMeanMapTest, LegendBandsOfAnOddHeight) {
  // 101 rows: three bands of 25 and a last band down to the bottom (26).
  LocalMeanMap map({});
  RecordingWindow legend(20, 101);
  map.Draw(nullptr, &legend);
  const auto moves = CallsStartingWith(legend.Take(), "MoveTo ");
  ASSERT_EQ(moves.size(), 101u);
  EXPECT_EQ(moves[75], "MoveTo 20 75");
  EXPECT_EQ(moves[100], "MoveTo 20 100");
}

TEST(LocalMeanMapTest, DegenerateInputsDrawNothingOnTheMap) {
  struct Row {
    const char* name;
    int width;
    int height;
    KVD_3DOT box_max;
    bool load_samples;
  } rows[] = {
      {"no samples", 400, 300, Corner(37, 37, 37), false},
      {"zero-size map", 0, 0, Corner(37, 37, 37), true},
      {"map narrower than the margins", 60, 300, Corner(37, 37, 37), true},
      {"zero-extent box", 400, 300, Corner(0, 37, 37), true},
      {"NaN box", 400, 300, Corner(37, kNaN, 37), true},
      {"infinite box", 400, 300, Corner(kInf, 37, 37), true},
  };
  for (const Row& row : rows) {
    kgtest::ScopedGraph graph(kLocalMeanType);
    KvDiscPnt samples[] = {LocatedSample(10, 10, 5)};
    if (row.load_samples) _kvGraphLoadDiscPnts(graph.get(), samples, 1);
    _kvGraphSetDataExtr(graph.get(), 0, 10);
    _kvGraphSetCoordExtr(graph.get(), Corner(0, 0, 0), row.box_max);
    _kvGraphCptLocmParam(graph.get());
    RecordingWindow map(row.width, row.height);
    RecordingWindow legend(30, 100);
    EXPECT_EQ(_kvGraphDrawLocmPlt(graph.get(), map.Wnd(), legend.Wnd()), 1)
        << row.name;
    EXPECT_TRUE(map.LedgerBalanced()) << row.name;
    EXPECT_EQ(map.Take(), std::vector<std::string>(
                              {"InvalidateRect erase=1", "UpdateWindow"}))
        << row.name;
    EXPECT_EQ(LinesStartingWith(legend.Take(), "LineTo ").size(), 100u)
        << row.name;
  }
}

TEST(LocalMeanMapTest, MissingWindowsAndCountsAreHarmless) {
  LocalMeanMap map({LocatedSample(10, 10, 5)});
  RecordingWindow window(400, 300);
  RecordingWindow empty_legend(0, 0);
  map.Draw(nullptr, nullptr);
  map.Draw(&window, nullptr);
  EXPECT_EQ(Marks(window.Take()).size(), 1u);
  map.Draw(nullptr, &empty_legend);
  EXPECT_EQ(empty_legend.Take(),
            std::vector<std::string>({"GetDC", "ReleaseDC"}));

  KvDiscPnt samples[] = {LocatedSample(10, 10, 5)};
  EXPECT_EQ(_kvGraphLoadDiscPnts(map.graph(), samples, -4), 1);
  const auto log = map.DrawMap();
  EXPECT_TRUE(Marks(log).empty());
  EXPECT_EQ(TextsDrawn(log).size(), 10u);  // the axes still stand
}

TEST(LocalMeanMapTest, RenderedMapAndLegend) {
  std::vector<KvDiscPnt> samples;
  for (int i = 0; i < 15; ++i) {
    for (int j = 0; j < 12; ++j) {
      const double x = 1.5 + i * 2.5;
      const double y = 1.5 + j * 3.0;
      const double value = 5.0 + 4.5 * std::sin(x / 7.0) * std::cos(y / 9.0);
      samples.push_back(LocatedSample(x, y, value, 0.0));
    }
  }
  samples.push_back(LocatedSample(20, 20, 0.0));   // entry 0: blue
  samples.push_back(LocatedSample(30, 20, 10.0));  // entry 255: red
  LocalMeanMap map(samples, 0.0, 10.0);
  RecordingWindow window(400, 300);
  RecordingWindow legend(40, 200);
  map.Draw(&window, &legend);
  ASSERT_TRUE(window.window().SavePng(::testing::TempDir() + "locm_plt.png"));
  ASSERT_TRUE(
      legend.window().SavePng(::testing::TempDir() + "locm_legend.png"));

  // Filled circles in the scaled table colours (drawn last, on top).
  EXPECT_EQ(window.window().Pixel(50 + 170, 15 + 130), RGB(0, 0, 254));
  EXPECT_EQ(window.window().Pixel(50 + 255, 15 + 130), RGB(254, 0, 0));
  // The axes in black at the plot's left and bottom edges.
  EXPECT_EQ(window.window().Pixel(50, 100), RGB(0, 0, 0));
  EXPECT_EQ(window.window().Pixel(200, 275), RGB(0, 0, 0));
  // Legend: red at the top, blue towards the bottom; the left column is the
  // excluded end of every row.
  EXPECT_EQ(legend.window().Pixel(20, 0), RGB(255, 0, 0));
  EXPECT_EQ(legend.window().Pixel(20, 100), RGB(0, 255, 0));
  EXPECT_EQ(legend.window().Pixel(0, 0), RGB(255, 255, 255));
}

}  // namespace
