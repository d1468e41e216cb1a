// The local-mean map and its legend drawn through the exports.
#include "charts/geo_locm_plt.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::CallsDrawnWith;
using kgtest::CallsStartingWith;
using kgtest::Corner;
using kgtest::LocatedSample;
using kgtest::RecordingWindow;
using kgtest::TextsDrawn;
using Log = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Log kRepaintOnly = {"InvalidateRect erase=1", "UpdateWindow"};

// Drawn colours of "Contour" entries 0 (0, 0, 65535), 127 (0, 65535, 514),
// 254 (65535, 1028, 0) and 255 (65535, 0, 0): components * 255 / 65536.
constexpr char kEntry0[] = "FE0000";
constexpr char kEntry127[] = "01FE00";
constexpr char kEntry254[] = "0003FE";
constexpr char kEntry255[] = "0000FE";

// A computed local-mean map over the test's samples; every export must return
// 1 and leave the ledger as it was. Box 0..37 gives axes 0..40 by steps of 5;
// a 400 x 300 map gives the plot (50, 15) - (390, 275), 8.5 x 6.5 px a unit.
struct LocalMeanMap {
  explicit LocalMeanMap(std::vector<KvDiscPnt> list, double minimum = 0,
                        double maximum = 10, int plane = 0)
      : samples(std::move(list)) {
    Check(_kvGraphLoadDiscPnts(graph.get(), samples.data(),
                               static_cast<LONG>(samples.size())));
    Check(_kvGraphSetAxiName(graph.get(), "East", "North"));
    Check(
        _kvGraphSetCoordExtr(graph.get(), Corner(0, 0, 0), Corner(37, 37, 37)));
    Check(_kvGraphSetCurPlane(graph.get(), plane));
    Check(_kvGraphSetDataExtr(graph.get(), minimum, maximum));
    Check(_kvGraphCptLocmParam(graph.get()));
  }
  void Check(LONG status) {
    EXPECT_EQ(status, 1);
    EXPECT_EQ(CurrentGdiLedger(), ledger);
  }
  void Draw(RecordingWindow* map, RecordingWindow* legend) {
    Check(_kvGraphDrawLocmPlt(graph.get(), map ? map->Wnd() : nullptr,
                              legend ? legend->Wnd() : nullptr));
  }
  // Draws a 400 x 300 map and a 30 x 100 legend; returns the map's log.
  Log DrawMap() {
    RecordingWindow map(400, 300);
    RecordingWindow legend(30, 100);
    Draw(&map, &legend);
    return map.Take();
  }

  kgtest::ScopedGraph graph{3};
  GdiLedger ledger = CurrentGdiLedger();
  std::vector<KvDiscPnt> samples;
};

Log Marks(const Log& log) { return CallsStartingWith(log, "Ellipse "); }
Log MarksIn(const Log& log, const std::string& color) {
  return CallsDrawnWith(log, "Ellipse ",
                        "pen solid 1 " + color + " | brush " + color);
}

TEST(LocalMeanMapTest, ComponentScaling) {
  const struct {
    uint16_t component, drawn;
  } rows[] = {{0, 0}, {257, 0}, {258, 1}, {32768, 127}, {65535, 254}};
  for (const auto& row : rows) {
    EXPECT_EQ(CGeoLocmPlt::ScaleComponent(row.component), row.drawn)
        << row.component;
  }
}

TEST(LocalMeanMapTest, ColourIndexFromTheWindow) {
  struct Row {
    const char* name;
    double minimum, maximum, value;
    const char* color;
  } rows[] = {
      {"minimum gives entry 0", 0, 10, 0, kEntry0},
      {"maximum gives entry 255", 0, 10, 10, kEntry255},
      {"middle gives entry 127", 0, 10, 5, kEntry127},
      {"minimum of 0.1..0.3 gives entry 0", 0.1, 0.3, 0.1, kEntry0},
      // The single-precision limits leave 254.99997 at the maximum.
      {"maximum of 0.1..0.3 gives entry 254", 0.1, 0.3, 0.3, kEntry254},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 10, row.value)}, row.minimum,
                     row.maximum);
    EXPECT_EQ(MarksIn(map.DrawMap(), row.color).size(), 1u) << row.name;
  }
}

// Regression: the colour index was the low 8 bits of the truncated product,
// and with limits that single precision rounds inward a sample inside the
// window gave -95 (the window's minimum) or 382 (its maximum), whose low
// 8 bits painted entries 161 and 126. Samples inside the window now keep to
// entries 0 .. 255: the minimum gets entry 0 and the maximum entry 255.
TEST(LocalMeanMapTest, IndexOfSamplesInsideTheWindowStaysInTheTable) {
  struct Row {
    const char* name;
    double value;
    const char* color;
  } rows[] = {
      {"minimum below the float minimum", 100000005, kEntry0},
      {"maximum above the float maximum", 100000020, kEntry255},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 10, row.value)}, 100000005, 100000020);
    EXPECT_EQ(MarksIn(map.DrawMap(), row.color).size(), 1u) << row.name;
  }
}

// Regression: a window of zero width made the colour scale infinite, and
// (value - minimum) * scale was then NaN, truncated to an undefined index.
// The scale is now 0, so every sample in the window maps to entry 0; so does
// a window too wide for single precision.
TEST(LocalMeanMapTest, DegenerateWindowsMapToEntryZero) {
  struct Row {
    const char* name;
    double minimum, maximum, value;
  } rows[] = {
      {"equal limits", 5, 5, 5},
      {"limits equal in single precision", 1.0, 1.00000001, 1.000000005},
      {"limits beyond the float range", -1e300, 1e300, 0},
      {"infinite limits", -kInf, kInf, 7},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 10, row.value)}, row.minimum,
                     row.maximum);
    EXPECT_EQ(static_cast<CGeoLocmPlt*>(map.graph.get())->color_scale(), 0.0f)
        << row.name;
    EXPECT_EQ(MarksIn(map.DrawMap(), kEntry0).size(), 1u) << row.name;
  }
}

// Regression: a NaN value passes the window test (both comparisons are
// false) and its NaN product was truncated to an undefined colour index. It
// is now skipped, as are infinite values.
TEST(LocalMeanMapTest, NonFiniteValuesAreSkipped) {
  LocalMeanMap map({LocatedSample(10, 10, kNaN), LocatedSample(20, 20, kInf),
                    LocatedSample(5, 5, 5)},
                   -kInf, kInf);
  EXPECT_EQ(Marks(map.DrawMap()), Log({"Ellipse 38 224 46 232"}));
}

TEST(LocalMeanMapTest, OnlySamplesInsideWindowAndAxesAreDrawn) {
  // Above and below the window 0..10, beyond the x end, below the y origin;
  // only the last, on the window maximum and both axis ends, is drawn.
  LocalMeanMap map({LocatedSample(10, 10, 10.5), LocatedSample(10, 10, -0.5),
                    LocatedSample(40.5, 10, 5), LocatedSample(10, -0.5, 5),
                    LocatedSample(40, 40, 10)});
  EXPECT_EQ(Marks(map.DrawMap()), Log({"Ellipse 336 -4 344 4"}));
}

TEST(LocalMeanMapTest, PlanesMapTheirCoordinatesAndNameTheirAxes) {
  struct Row {
    const char* name;
    int plane;
    const char* mark;
    const char *horizontal, *vertical;
  } rows[] = {
      // The sample (x 10, y 20, z 30); names set by the host are not drawn.
      {"plane 0: x and y", 0, "Ellipse 81 126 89 134", "X", "Y"},
      {"plane 1: y and z", 1, "Ellipse 166 61 174 69", "Y", "Z"},
      {"plane 2: x and z", 2, "Ellipse 81 61 89 69", "X", "Z"},
  };
  for (const Row& row : rows) {
    LocalMeanMap map({LocatedSample(10, 20, 5, 30)}, 0, 10, row.plane);
    const Log log = map.DrawMap();
    EXPECT_EQ(Marks(log), Log({row.mark})) << row.name;
    EXPECT_EQ(TextsDrawn(log), Log({"0", row.horizontal, "10", "20", "30", "0",
                                    row.vertical, "10", "20", "30"}))
        << row.name;
  }
}

TEST(LocalMeanMapTest, AxesWithArrowsAndTicks) {
  LocalMeanMap map({LocatedSample(10, 10, -1)});  // outside the window
  const Log log = map.DrawMap();
  const Log head = {
      "InvalidateRect erase=1", "UpdateWindow", "GetDC",
      "SelectObject pen solid 1 FF0000", "SetViewportOrg 50 15", "SetBkMode 1",
      "SelectObject pen solid 1 000000",
      // Axes and arrowheads: 8 pixels back, 8/3 pixels to the sides.
      "MoveTo 0 260", "LineTo 340 260 | dev 390 275 | pen solid 1 000000",
      "MoveTo 340 260", "LineTo 332 262 | dev 382 277 | pen solid 1 000000",
      "MoveTo 340 260", "LineTo 332 258 | dev 382 273 | pen solid 1 000000",
      "MoveTo 0 260", "LineTo 0 0 | dev 50 15 | pen solid 1 000000",
      "MoveTo 0 0", "LineTo -2 9 | dev 48 24 | pen solid 1 000000",
      "MoveTo 0 0", "LineTo 2 9 | dev 52 24 | pen solid 1 000000",
      "SetTextAlign 6"};
  ASSERT_GE(log.size(), head.size());
  EXPECT_EQ(Log(log.begin(), log.begin() + head.size()), head);
  // Per step k = 1..7 of each axis: an 8-pixel major tick, then four 4-pixel
  // minor ticks before it; none beyond the last major tick.
  const Log lines = CallsDrawnWith(log, "LineTo ", "pen solid 1 000000");
  ASSERT_EQ(lines.size(), 6u + 2 * 7 * 5);
  EXPECT_EQ(Log(lines.begin() + 6, lines.begin() + 11),
            Log({"LineTo 42 252", "LineTo 8 256", "LineTo 17 256",
                 "LineTo 25 256", "LineTo 34 256"}));
  EXPECT_EQ(lines[36], "LineTo 297 252");
  EXPECT_EQ(Log(lines.begin() + 41, lines.begin() + 46),
            Log({"LineTo 8 228", "LineTo 4 254", "LineTo 4 247", "LineTo 4 241",
                 "LineTo 4 234"}));
  EXPECT_EQ(lines[71], "LineTo 8 33");
  // Labels 4 pixels below the axis; right-aligned 5 pixels left of it.
  const Log texts = CallsStartingWith(log, "TextOut ");
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[1], "TextOut 340 264 \"X\"");
  EXPECT_EQ(texts[6], "TextOut -5 -8 \"Y\"");
  EXPECT_EQ(CallsStartingWith(log, "SetTextAlign "),
            Log({"SetTextAlign 6", "SetTextAlign 2"}));
}

TEST(LocalMeanMapTest, OtherPlanesDrawOnlyTheLegend) {
  for (int plane : {3, -1}) {
    LocalMeanMap map({LocatedSample(10, 10, 5)}, 0, 10, plane);
    RecordingWindow window(400, 300);
    RecordingWindow legend(30, 100);
    map.Draw(&window, &legend);
    EXPECT_EQ(window.Take(), kRepaintOnly) << plane;
    EXPECT_EQ(CallsStartingWith(legend.Take(), "LineTo ").size(), 100u)
        << plane;
  }
}

TEST(LocalMeanMapTest, LegendOf100RowsHasFourBandsOf25) {
  LocalMeanMap map({});
  RecordingWindow legend(30, 100);
  map.Draw(nullptr, &legend);
  const Log log = legend.Take();
  // No invalidation, no viewport change; every row from right to left.
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(Log(log.begin(), log.begin() + 5),
            Log({"GetDC", "SelectObject pen solid 1 0000FF", "MoveTo 30 0",
                 "LineTo 0 0 | dev 0 0 | pen solid 1 0000FF",
                 "SelectObject pen solid 1 000000"}));
  EXPECT_EQ(log.back(), "ReleaseDC");
  const Log rows = CallsStartingWith(log, "SelectObject pen solid 1 ");
  ASSERT_EQ(rows.size(), 200u);  // select and restore per row
  const struct {
    const char* name;
    size_t row;
    const char* pen;
  } checks[] = {
      {"band 1 starts red", 0, "0000FF"},     {"row 1", 1, "000AFF"},
      {"row 24 nearly yellow", 24, "00F4FF"}, {"band 2 yellow", 25, "00FFFF"},
      {"band 3 green", 50, "00FF00"},         {"band 4 cyan", 75, "FFFF00"},
      {"last row nearly blue", 99, "FF0B00"},
  };
  for (const auto& check : checks) {
    EXPECT_EQ(rows[2 * check.row],
              std::string("SelectObject pen solid 1 ") + check.pen)
        << check.name;
  }
}

TEST(LocalMeanMapTest, DegenerateInputsDrawNothingOnTheMap) {
  struct Row {
    const char* name;
    int width, height;
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
    LocalMeanMap map({LocatedSample(10, 10, 5)});
    if (!row.load_samples) {
      map.Check(_kvGraphLoadDiscPnts(map.graph.get(), nullptr, 0));
    }
    map.Check(
        _kvGraphSetCoordExtr(map.graph.get(), Corner(0, 0, 0), row.box_max));
    RecordingWindow window(row.width, row.height);
    RecordingWindow legend(30, 100);
    map.Draw(&window, &legend);
    EXPECT_EQ(window.Take(), kRepaintOnly) << row.name;
    EXPECT_EQ(CallsStartingWith(legend.Take(), "LineTo ").size(), 100u)
        << row.name;
  }
}

TEST(LocalMeanMapTest, MissingWindowsAndNegativeCountsAreHarmless) {
  LocalMeanMap map({LocatedSample(10, 10, 5)});
  RecordingWindow window(400, 300);
  RecordingWindow empty_legend(0, 0);
  map.Draw(nullptr, nullptr);
  map.Draw(&window, &empty_legend);
  EXPECT_EQ(Marks(window.Take()).size(), 1u);
  EXPECT_EQ(empty_legend.Take(), Log({"GetDC", "ReleaseDC"}));
  map.Check(_kvGraphLoadDiscPnts(map.graph.get(), map.samples.data(), -4));
  EXPECT_TRUE(Marks(map.DrawMap()).empty());
}

TEST(LocalMeanMapTest, RenderedMapAndLegend) {
  std::vector<KvDiscPnt> samples;
  for (int i = 0; i < 15 * 12; ++i) {
    const double x = 1.5 + (i % 15) * 2.5;
    const double y = 1.5 + (i / 15) * 3.0;
    samples.push_back(
        LocatedSample(x, y, 5.0 + 4.5 * std::sin(x / 7.0) * std::cos(y / 9.0)));
  }
  samples.push_back(LocatedSample(20, 20, 0));   // entry 0: blue
  samples.push_back(LocatedSample(30, 20, 10));  // entry 255: red
  LocalMeanMap map(samples);
  RecordingWindow window(400, 300);
  RecordingWindow legend(40, 200);
  map.Draw(&window, &legend);
  const CanvasWindow& canvas = window.window();
  const CanvasWindow& bands = legend.window();
  ASSERT_TRUE(canvas.SavePng(::testing::TempDir() + "locm_plt.png"));
  ASSERT_TRUE(bands.SavePng(::testing::TempDir() + "locm_legend.png"));
  EXPECT_EQ(canvas.Pixel(50 + 170, 15 + 130), RGB(0, 0, 254));
  EXPECT_EQ(canvas.Pixel(50 + 255, 15 + 130), RGB(254, 0, 0));
  EXPECT_EQ(canvas.Pixel(50, 100), RGB(0, 0, 0));   // vertical axis
  EXPECT_EQ(canvas.Pixel(200, 275), RGB(0, 0, 0));  // horizontal axis
  // Red at the top, green half-way; column 0 is every row's excluded end.
  EXPECT_EQ(bands.Pixel(20, 0), RGB(255, 0, 0));
  EXPECT_EQ(bands.Pixel(20, 100), RGB(0, 255, 0));
  EXPECT_EQ(bands.Pixel(0, 0), RGB(255, 255, 255));
}

}  // namespace
