// The variogram plot drawn through the exports, checked on the call log, on
// the host's arrays it writes and on the raster.
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "platform/win_types.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::Balanced;
using kgtest::CallsDrawnWith;
using kgtest::CrossCalls;
using kgtest::LinesStartingWith;
using kgtest::Pass;
using kgtest::RecordingWindow;
using kgtest::Strokes;
using kgtest::TextsDrawn;
using kgtest::VariogramEntry;

// A 503 x 503 client area gives a 450 x 450 plot at (45, 8).
constexpr int kSide = 503;
constexpr int kPlotSide = 450;
// What the host's position array holds before the chart writes into it.
const CPoint kUntouched(-7, -7);
const char kBluePen[] = "pen solid 1 FF0000";
const char kRedPen[] = "pen solid 1 0000FF";

std::vector<ModIndVrg> FlatModel(double value);

// The host side of one variogram plot: its arrays and the graph object, with
// a flat model curve unless a test sets another. Every export goes through
// Balanced, so each one is checked for leaks.
class VarmHost {
 public:
  VarmHost() : model(FlatModel(0)), graph_(_kvCreateKvGraphObj(7)) {
    Balanced([&] { return _kvGraphSetAxiName(graph_, "Distance", "Gamma"); },
             "SetAxiName");
  }
  ~VarmHost() { _kvDeleteKvGraphObj(graph_); }
  VarmHost(const VarmHost&) = delete;
  VarmHost& operator=(const VarmHost&) = delete;

  CKorvaGraph* graph() { return graph_; }

  // Hands the arrays to the chart: positions are reset to kUntouched and the
  // selection sized to the entries unless a test filled them itself.
  void Load(LONG lag_count, int model_flag, int cutoff_count = 1,
            int current = 0) {
    positions.assign(entries.size(), kUntouched);
    if (selected.size() != entries.size()) selected.assign(entries.size(), 0);
    EXPECT_EQ(Balanced(
                  [&] {
                    return _kvGraphLoadVarmData(
                        graph_, entries.empty() ? nullptr : entries.data(),
                        model.empty() ? nullptr : model.data(),
                        positions.data(), selected.data(), lag_count,
                        model_flag);
                  },
                  "LoadVarmData"),
              1);
    EXPECT_EQ(Balanced([&] {
                return _kvGraphSetCutOffNO(graph_, cutoff_count, current);
              }),
              1);
  }
  void SetLine(int flag) {
    Balanced([&] { return _kvGraphSetIsDspLine(graph_, flag); });
  }
  void SetSill(int flag, double sill) {
    Balanced([&] { return _kvGraphSetIsDspSill(graph_, flag, sill); });
  }

  std::vector<std::string> Draw(RecordingWindow& window) {
    EXPECT_EQ(Balanced([&] {
                return _kvGraphDrawVarmPlt(graph_, window.Wnd());
              }, "DrawVarmPlt"),
              1);
    return window.Take();
  }
  std::vector<std::string> Draw(int width = kSide, int height = kSide) {
    RecordingWindow window(width, height);
    return Draw(window);
  }
  std::vector<std::string> DrawLine(RecordingWindow& window) {
    EXPECT_EQ(Balanced([&] { return _kvGraphDrawVrgLine(graph_); },
                       "DrawVrgLine"),
              1);
    return window.Take();
  }
  std::vector<std::string> DrawSelection(RecordingWindow& window) {
    EXPECT_EQ(Balanced([&] { return _kvGraphDrawSelectPoint(graph_); },
                       "DrawSelectPoint"),
              1);
    return window.Take();
  }

  std::vector<Variogram> entries;
  std::vector<ModIndVrg> model;
  std::vector<CPoint> positions;
  std::vector<int> selected;

 private:
  CKorvaGraph* graph_;
};

// One row of n = 8: a first lag without pairs, then lags 40 to 320 and 370
// with semivariances 0.2 to 37.
std::vector<Variogram> Row370() {
  std::vector<Variogram> row = {VariogramEntry(0, 0, 0)};
  const double gammas[] = {0.2, 5, 10, 15, 20, 25, 30, 35};
  for (int k = 0; k < 8; ++k) {
    row.push_back(VariogramEntry(40.0 * (k + 1), gammas[k], 50));
  }
  row.push_back(VariogramEntry(370, 37, 50));
  return row;
}

// A model curve for n = 8 as the model computation lays it out (2n + 4
// records): lag 0, the nugget record, then lags 25, 50, ... 425.
std::vector<ModIndVrg> FlatModel(double value) {
  std::vector<ModIndVrg> model = {kgtest::ModelRecord(0, 0),
                                  kgtest::ModelRecord(0.0025, value)};
  for (int k = 2; k < 20; ++k) {
    model.push_back(kgtest::ModelRecord(25.0 * (k - 1), value));
  }
  return model;
}

const std::vector<std::string> kDistanceTitleAndLabels = {
    "Distance, 10", "-2", "0", "1", "2", "3", "4"};

std::vector<std::string> Join(std::vector<std::string> a,
                              const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(VariogramPlotTest, FullDrawPassOrder) {
  VarmHost host;
  host.entries = Row370();
  host.model = FlatModel(20);
  host.Load(8, 1);
  host.SetLine(1);
  host.SetSill(1, 30);
  const auto log = host.Draw();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "InvalidateRect erase=1");
  EXPECT_EQ(log[1], "UpdateWindow");
  // Frame, points, connecting line, model curve, sill: one context each.
  EXPECT_EQ(LinesStartingWith(log, "GetDC").size(), 5u);
  EXPECT_EQ(LinesStartingWith(log, "ReleaseDC").size(), 5u);
  const std::vector<std::string> frame_head = {
      "GetDC", "SetViewportOrg 45 8", "SelectObject pen solid 1 000000",
      "Rectangle 0 0 450 450 | dev 45 8 495 458 | pen solid 1 000000 | "
      "brush FFFFFF"};
  const auto frame = Pass(log, 0);
  ASSERT_GE(frame.size(), frame_head.size());
  for (size_t i = 0; i < frame_head.size(); ++i) {
    EXPECT_EQ(frame[i], frame_head[i]) << "line " << i;
  }
  EXPECT_EQ(Pass(log, 1)[1], "SetViewportOrg 45 8");
  EXPECT_EQ(Pass(log, 2)[1], "SelectObject " + std::string(kBluePen))
      << "the line pass moves no origin";
  EXPECT_EQ(Pass(log, 3)[1], "SetViewportOrg 45 8");
  EXPECT_EQ(Pass(log, 3)[2], "SelectObject " + std::string(kRedPen));
  EXPECT_EQ(Pass(log, 4)[2], "SelectObject " + std::string(kBluePen));
}

TEST(VariogramPlotTest, TickMarksPointInwardFromAllFourSides) {
  VarmHost host;
  host.entries = Row370();
  host.Load(8, 0);
  const auto frame = Pass(host.Draw(), 0);
  // X 0 to 450 by 50 (1 pixel a unit), Y 0 to 45 by 5 (10 pixels a unit).
  std::vector<std::string> expected;
  auto line = [&](int x1, int y1, int x2, int y2) {
    expected.push_back("MoveTo " + std::to_string(x1) + " " +
                       std::to_string(y1));
    expected.push_back("LineTo " + std::to_string(x2) + " " +
                       std::to_string(y2));
  };
  for (int i = 1; i <= 8; ++i) {
    line(50 * i, 450, 50 * i, 445);
    line(50 * i, 0, 50 * i, 5);
  }
  for (int j = 1; j <= 8; ++j) {
    line(0, 450 - 50 * j, 5, 450 - 50 * j);
    line(450, 450 - 50 * j, 445, 450 - 50 * j);
  }
  EXPECT_EQ(Strokes(frame), expected);
  for (const std::string& stroke : LinesStartingWith(frame, "LineTo ")) {
    EXPECT_NE(stroke.find("pen solid 1 000000"), std::string::npos)
        << stroke;
  }
  EXPECT_TRUE(CallsDrawnWith(frame, "LineTo ", "pen dot").empty())
      << "no grid";
}

TEST(VariogramPlotTest, TitlesExponentsAndLabelPositions) {
  VarmHost host;
  host.entries = Row370();
  host.Load(8, 0);
  const auto log = host.Draw();
  const std::vector<std::string> expected = {
      // X title centred 2.5 pixels left of the axis middle, 24 pixels down;
      // its exponent 20 pixels down, half the title's estimate to the right.
      "TextOut 222 474 \"Distance, 10\"", "TextOut 261 470 \"-2\"",
      // Every second tick, values divided by 100.
      "TextOut 0 454 \"0\"", "TextOut 100 454 \"1\"", "TextOut 200 454 \"2\"",
      "TextOut 300 454 \"3\"", "TextOut 400 454 \"4\"",
      // The Y title in right-aligned parts left of the axis; the exponent
      // left-aligned one pixel right of the "10".
      "TextOut -30 209 \"Gamma\"", "TextOut -30 219 \",\"",
      "TextOut -30 235 \"10\"", "TextOut -29 235 \"-1\"",
      "TextOut -5 442 \"0\"", "TextOut -5 342 \"1\"", "TextOut -5 242 \"2\"",
      "TextOut -5 142 \"3\"", "TextOut -5 42 \"4\""};
  EXPECT_EQ(kgtest::TextCalls(log), expected);
  for (const std::string& text : LinesStartingWith(log, "TextOut ")) {
    const bool exponent = text.find("\"-") != std::string::npos;
    const std::string font = exponent ? "font \"Times New Roman\" 10 3 0"
                                      : "font \"Times New Roman\" 15 5 0";
    EXPECT_NE(text.find(font), std::string::npos) << text;
  }
  EXPECT_EQ(LinesStartingWith(log, "SetBkMode 1").size(), 1u);
  EXPECT_EQ(LinesStartingWith(log, "SetTextAlign 6").size(), 1u);
  EXPECT_EQ(kgtest::CallsStartingWith(log, "SetTextAlign "),
            (std::vector<std::string>{"SetTextAlign 6", "SetTextAlign 2",
                                      "SetTextAlign 0", "SetTextAlign 2"}));
}

TEST(VariogramPlotTest, AxesForLargestLag370) {
  struct Row {
    const char* name;
    double smallest;
    std::vector<std::string> y_texts;
    int y_ticks;  // inner Y steps, each with a left and a right mark
    const char* first_y_tick;
  } rows[] = {
      {"semivariances 0.2 to 37: 0 to 45 by 5, one step of headroom", 0.2,
       {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"}, 8, "MoveTo 0 400"},
      {"smallest -3: -5 to 37, range 42, ny 8", -3,
       {"Gamma", ",", "10", "-1", "-0.5", "0.5", "1.5", "2.5"}, 7,
       "MoveTo 0 397"},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = Row370();
    host.entries[1].gamma = row.smallest;
    host.Load(8, 0);
    const auto frame = Pass(host.Draw(), 0);
    EXPECT_EQ(TextsDrawn(frame), Join(kDistanceTitleAndLabels, row.y_texts))
        << row.name;
    const auto strokes = Strokes(frame);
    EXPECT_EQ(strokes.size(), static_cast<size_t>(4 * (8 + row.y_ticks)))
        << row.name;
    ASSERT_GT(strokes.size(), 32u) << row.name;
    EXPECT_EQ(strokes[32], row.first_y_tick) << row.name;
  }
}

TEST(VariogramPlotTest, PairCountThreshold) {
  struct Row {
    const char* name;
    LONG pairs;
    size_t crosses;
    std::vector<std::string> x_texts;
  } rows[] = {
      {"29 pairs: neither drawn nor scaled over", 29, 8,
       {"Distance, 10", "-2", "0", "1", "2", "3"}},
      {"30 pairs: drawn and scaled over", 30, 9, kDistanceTitleAndLabels},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = Row370();
    host.entries[9].npairs = row.pairs;
    host.Load(8, 0);
    const auto log = host.Draw();
    EXPECT_EQ(Strokes(Pass(log, 1)).size(), 4 * row.crosses) << row.name;
    auto texts = TextsDrawn(Pass(log, 0));
    texts.resize(row.x_texts.size());
    EXPECT_EQ(texts, row.x_texts) << row.name;
    EXPECT_EQ(host.positions[9] == kUntouched, row.pairs < 30) << row.name;
  }
}

TEST(VariogramPlotTest, CurrentCutOffRowIsDrawnAndAllRowsAreScaled) {
  // n = 3: rows of 5 entries. Row 0 holds the largest lag and semivariance.
  VarmHost host;
  host.entries = {VariogramEntry(0, 0, 0),     VariogramEntry(100, 10, 40),
                  VariogramEntry(370, 37, 40), VariogramEntry(200, 20, 40),
                  VariogramEntry(300, 30, 40), VariogramEntry(0, 0, 30),
                  VariogramEntry(50, 5, 30),   VariogramEntry(100, 10, 30),
                  VariogramEntry(150, 15, 30), VariogramEntry(200, 20, 30)};
  host.Load(3, 0, 2, 1);
  const auto log = host.Draw();
  EXPECT_EQ(TextsDrawn(Pass(log, 0)),
            Join(kDistanceTitleAndLabels,
                 {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"}));
  std::vector<std::string> expected;
  for (int k = 0; k < 5; ++k) {
    for (const auto& call : CrossCalls(50 * k, 450 - 50 * k)) {
      expected.push_back(call);
    }
  }
  EXPECT_EQ(Strokes(Pass(log, 1)), expected);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(host.positions[i] == kUntouched) << "entry " << i;
  }
  for (int i = 5; i < 10; ++i) {
    EXPECT_TRUE(host.positions[i] == CPoint(50 * (i - 5), 450 - 50 * (i - 5)))
        << "entry " << i;
  }
}

TEST(VariogramPlotTest, PositionsOfDrawnPointsAndUntouchedEntries) {
  VarmHost host;
  host.entries = {VariogramEntry(0, 0, 30),    // on both origins
                  VariogramEntry(40, 5, 29),   // too few pairs
                  VariogramEntry(-10, 5, 50),  // left of the X axis
                  VariogramEntry(200, 20, 50), VariogramEntry(370, 37, 50)};
  host.Load(3, 0);
  host.Draw();
  EXPECT_TRUE(host.positions[0] == CPoint(0, kPlotSide));
  EXPECT_TRUE(host.positions[1] == kUntouched);
  EXPECT_TRUE(host.positions[2] == kUntouched);
  EXPECT_TRUE(host.positions[3] == CPoint(200, 250));
  EXPECT_TRUE(host.positions[4] == CPoint(370, 80));
}

TEST(VariogramPlotTest, SillLine) {
  struct Row {
    const char* name;
    int flag;
    double sill;
    std::vector<std::string> y_texts;
    std::vector<std::string> sill_pass;  // empty: no sill pass
  } rows[] = {
      {"sill 50 raises the axis to 80", 1, 50,
       {"Gamma", ",", "10", "-1", "0", "2", "4", "6"},
       {"GetDC", "SetViewportOrg 45 8", "SelectObject pen solid 1 FF0000",
        "MoveTo 0 169", "LineTo 370 169 | dev 415 177 | pen solid 1 FF0000",
        "SelectObject pen solid 1 000000", "ReleaseDC"}},
      {"sill 20 below the data leaves the axis", 1, 20,
       {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"},
       {"GetDC", "SetViewportOrg 45 8", "SelectObject pen solid 1 FF0000",
        "MoveTo 0 250", "LineTo 370 250 | dev 415 258 | pen solid 1 FF0000",
        "SelectObject pen solid 1 000000", "ReleaseDC"}},
      {"flag 2 neither draws nor raises", 2, 50,
       {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"}, {}},
      {"flag 0", 0, 50, {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"},
       {}},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = Row370();
    host.Load(8, 0);
    host.SetSill(row.flag, row.sill);
    const auto log = host.Draw();
    EXPECT_EQ(TextsDrawn(Pass(log, 0)),
              Join(kDistanceTitleAndLabels, row.y_texts))
        << row.name;
    EXPECT_EQ(Pass(log, 2), row.sill_pass) << row.name;
  }
}

TEST(VariogramPlotTest, ModelValuesRaiseTheAxis) {
  struct Row {
    const char* name;
    int model_flag;
    int record;  // the record holding 60
    std::vector<std::string> y_texts;
  } rows[] = {
      {"60 in record 2n raises the axis to 90", 1, 16,
       {"Gamma", ",", "10", "-1", "0", "2", "4", "6", "8"}},
      {"record 2n + 1 is not looked at", 1, 17,
       {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"}},
      {"model flag 0 ignores the model", 0, 16,
       {"Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"}},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = Row370();
    host.model = FlatModel(10);
    host.model[row.record].value = 60;
    host.Load(8, row.model_flag);
    const auto log = host.Draw();
    EXPECT_EQ(TextsDrawn(Pass(log, 0)),
              Join(kDistanceTitleAndLabels, row.y_texts))
        << row.name;
    EXPECT_EQ(LinesStartingWith(log, "GetDC").size(),
              row.model_flag == 1 ? 3u : 2u)
        << row.name;
  }
}

TEST(VariogramPlotTest, ModelCurveStopsAtTheLargestLagAndClampsNegatives) {
  VarmHost host;
  host.entries = Row370();
  host.model = FlatModel(10);
  host.model[0].value = -0.5;   // used as it is
  host.model[1].value = -2;     // not used
  host.model[4].value = -0.5;   // lag 75: drawn as 0 and corrected
  host.model[17].value = -1;    // lag 400, beyond the stop: untouched
  host.Load(8, 1);
  const auto curve = Pass(host.Draw(), 2);
  std::vector<std::string> expected = {"MoveTo 0 455", "LineTo 25 350",
                                       "MoveTo 25 350", "LineTo 50 350",
                                       "MoveTo 50 350", "LineTo 75 450",
                                       "MoveTo 75 450", "LineTo 100 350"};
  // Then records 5 to 15 (lags 100 to 350); record 16 lies at 375 > 370.
  for (int lag = 100; lag < 350; lag += 25) {
    expected.push_back("MoveTo " + std::to_string(lag) + " 350");
    expected.push_back("LineTo " + std::to_string(lag + 25) + " 350");
  }
  EXPECT_EQ(Strokes(curve), expected);
  EXPECT_EQ(CallsDrawnWith(curve, "LineTo ", kRedPen).size(), 14u);
  EXPECT_EQ(host.model[0].value, -0.5);
  EXPECT_EQ(host.model[1].value, -2);
  EXPECT_EQ(host.model[4].value, 0.0);
  EXPECT_EQ(host.model[17].value, -1);
}

TEST(VariogramPlotTest, ModelCurveWithNoLagsIsOneSegment) {
  // n = 0: two entries and three model records; record 2 is not clamped.
  VarmHost host;
  host.entries = {VariogramEntry(0, 0, 0), VariogramEntry(40, 4, 50)};
  host.model = {kgtest::ModelRecord(0, 1), kgtest::ModelRecord(0, 1),
                kgtest::ModelRecord(30, -1)};
  host.Load(0, 1);
  const auto log = host.Draw();
  // X 0 to 45 (10 pixels a unit), Y 0 to 5 (90 pixels a unit): from
  // (0, 1) to (30, -1), below the frame.
  EXPECT_EQ(Strokes(Pass(log, 2)),
            (std::vector<std::string>{"MoveTo 0 360", "LineTo 300 540"}));
  EXPECT_EQ(host.model[2].value, -1);
}

TEST(VariogramPlotTest, LabelFactors) {
  struct Row {
    const char* name;
    double largest;  // largest lag and largest semivariance alike
    std::vector<std::string> texts;
  } rows[] = {
      {"span between 0.2 and 9: factor 1, exponent 0", 3,
       {"Distance, 10", "0", "0", "1", "2", "3", "Gamma", ",", "10", "0", "0",
        "1", "2", "3"}},
      {"span 0.05: factor 0.1, exponent 1", 0.042,
       {"Distance, 10", "1", "0", "0.1", "0.2", "0.3", "0.4", "Gamma", ",",
        "10", "1", "0", "0.1", "0.2", "0.3", "0.4"}},
      // X: 1.2e-22 / 2e-23 truncates to 5 steps, so labels at 0, 2, 4.
      {"span not above 1e-20: factor 1, exponent 0", 1e-22,
       {"Distance, 10", "0", "0", "0", "0", "Gamma", ",", "10", "0", "0", "0",
        "0", "0"}},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = {VariogramEntry(row.largest, row.largest, 30)};
    host.Load(-1, 0);
    EXPECT_EQ(TextsDrawn(Pass(host.Draw(), 0)), row.texts) << row.name;
  }
}

TEST(VariogramPlotTest, ConnectingLineOfUnselectedQualifyingPoints) {
  struct Row {
    const char* name;
    std::vector<int> selected;
    std::vector<std::string> strokes;
  } rows[] = {
      // X 0 to 400 (1.125 pixels a unit), Y 0 to 40 (11.25 pixels a unit).
      {"selected and thin entries are left out",
       {0, 0, 1, 0, 0},
       {"MoveTo 45 458", "LineTo 157 346", "MoveTo 157 346",
        "LineTo 382 121"}},
      {"one unselected point draws nothing", {0, 1, 1, 0, 1}, {}},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = {VariogramEntry(0, 0, 30), VariogramEntry(100, 10, 30),
                    VariogramEntry(200, 20, 30), VariogramEntry(250, 25, 5),
                    VariogramEntry(300, 30, 30)};
    host.selected = row.selected;
    host.Load(3, 0);
    RecordingWindow window(kSide, kSide);
    host.Draw(window);
    const auto log = host.DrawLine(window);
    EXPECT_EQ(Strokes(log), row.strokes) << row.name;
    ASSERT_GE(log.size(), 2u) << row.name;
    EXPECT_EQ(log[0], "GetDC") << row.name;
    EXPECT_EQ(log[1], "SelectObject pen solid 1 FF0000") << row.name;
    EXPECT_EQ(log.back(), "ReleaseDC") << row.name;
  }
}

// The (45, 8) added to the recorded positions is the plot corner of a client
// area at (0, 0): the line joins the very pixels the crosses are centred on.
TEST(VariogramPlotTest, ConnectingLineLandsOnTheRecordedPoints) {
  VarmHost host;
  host.entries = Row370();
  host.Load(8, 0);
  host.SetLine(1);
  RecordingWindow window(kSide, kSide);
  const auto full = host.Draw(window);
  // Centres of the crosses in client pixels, from the points pass.
  std::vector<std::string> centres;
  const auto points = LinesStartingWith(Pass(full, 1), "LineTo ");
  for (size_t k = 0; k < points.size(); k += 2) {
    // The first stroke ends at (sx - 4, sy + 4) in client pixels.
    int dev_x = 0;
    int dev_y = 0;
    ASSERT_EQ(std::sscanf(points[k].c_str(), "LineTo %*d %*d | dev %d %d",
                          &dev_x, &dev_y),
              2);
    centres.push_back(std::to_string(dev_x + 4) + " " +
                      std::to_string(dev_y - 4));
  }
  ASSERT_EQ(centres.size(), 9u);
  std::vector<std::string> expected;
  for (size_t k = 0; k + 1 < centres.size(); ++k) {
    expected.push_back("MoveTo " + centres[k]);
    expected.push_back("LineTo " + centres[k + 1]);
  }
  EXPECT_EQ(Strokes(Pass(full, 2)), expected);
  EXPECT_EQ(Strokes(host.DrawLine(window)), expected);
  // On the raster: the middle of the segment from (200, 20) to (240, 25) is
  // blue, and the line pixels are those of a line between the centres.
  EXPECT_EQ(window.window().Pixel(45 + 220, 8 + 450 - 225), RGB(0, 0, 255));
}

TEST(VariogramPlotTest, SelectedPointsAreMarkedInRed) {
  VarmHost host;
  host.entries = {VariogramEntry(0, 0, 30), VariogramEntry(100, 10, 10),
                  VariogramEntry(200, 20, 30), VariogramEntry(300, 30, 30),
                  VariogramEntry(370, 37, 30),
                  // Row 1, not current.
                  VariogramEntry(0, 0, 30), VariogramEntry(0, 0, 30),
                  VariogramEntry(0, 0, 30), VariogramEntry(0, 0, 30),
                  VariogramEntry(0, 0, 30)};
  host.selected = {0, 1, 0, 1, 0, 1, 1, 1, 1, 1};
  host.Load(3, 0, 2, 0);
  RecordingWindow window(kSide, kSide);
  host.Draw(window);
  // Fewer than 30 pairs: not drawn, but marked at whatever the host holds.
  host.positions[1] = CPoint(100, 200);
  const auto log = host.DrawSelection(window);
  const std::vector<std::string> expected = {
      "GetDC",
      "SelectObject pen solid 1 0000FF",
      "MoveTo 148 205",
      "LineTo 141 212 | dev 141 212 | pen solid 1 0000FF",
      "MoveTo 142 205",
      "LineTo 149 212 | dev 149 212 | pen solid 1 0000FF",
      "MoveTo 348 155",
      "LineTo 341 162 | dev 341 162 | pen solid 1 0000FF",
      "MoveTo 342 155",
      "LineTo 349 162 | dev 349 162 | pen solid 1 0000FF",
      "SelectObject pen solid 1 000000",
      "ReleaseDC"};
  EXPECT_EQ(log, expected);
  // The red cross covers the blue one of entry 3 at (300, 150).
  EXPECT_EQ(window.window().Pixel(45 + 300, 8 + 150), RGB(255, 0, 0));
}

TEST(VariogramPlotTest, PartialDrawsNeedTheirArrays) {
  VarmHost host;
  host.entries = Row370();
  host.Load(8, 0);
  RecordingWindow window(kSide, kSide);
  EXPECT_TRUE(host.DrawLine(window).empty()) << "before any full draw";
  EXPECT_TRUE(host.DrawSelection(window).empty()) << "before any full draw";
  host.Draw(window);
  Balanced([&] {
    return _kvGraphLoadVarmData(host.graph(), host.entries.data(), nullptr,
                                host.positions.data(), nullptr, 8, 0);
  });
  EXPECT_TRUE(host.DrawLine(window).empty()) << "no selection array";
  EXPECT_TRUE(host.DrawSelection(window).empty()) << "no selection array";
  Balanced([&] {
    return _kvGraphLoadVarmData(host.graph(), host.entries.data(), nullptr,
                                nullptr, host.selected.data(), 8, 0);
  });
  EXPECT_TRUE(host.DrawLine(window).empty()) << "no position array";
  EXPECT_TRUE(host.DrawSelection(window).empty()) << "no position array";
}

TEST(VariogramPlotTest, DegenerateInputDrawsOnlyTheRepaint) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    std::vector<Variogram> entries;
    bool with_model;
    LONG lag_count;
    int cutoff_count;
    int width;
    int height;
  } rows[] = {
      {"no entry qualifies: extents 0", {VariogramEntry(100, 10, 29)}, true,
       -1, 1, kSide, kSide},
      {"no variogram array", {}, true, 8, 1, kSide, kSide},
      {"no model array", Row370(), false, 8, 1, kSide, kSide},
      {"zero-size window", Row370(), true, 8, 1, 0, 0},
      {"window narrower than the margins", Row370(), true, 8, 1, 40, 300},
      {"not-a-number semivariance first",
       {VariogramEntry(100, nan, 30), VariogramEntry(200, 5, 30)}, true, 0,
       1, kSide, kSide},
      {"infinite lag", {VariogramEntry(inf, 5, 30)}, true, -1, 1, kSide,
       kSide},
      {"negative lag count", Row370(), true, -5, 1, kSide, kSide},
      {"cut-off count 0", Row370(), true, 8, 0, kSide, kSide},
  };
  for (const Row& row : rows) {
    VarmHost host;
    host.entries = row.entries;
    if (row.with_model) {
      host.model = FlatModel(-1);
    } else {
      host.model.clear();
    }
    host.Load(row.lag_count, 0, row.cutoff_count, 0);
    RecordingWindow window(row.width, row.height);
    EXPECT_EQ(host.Draw(window), kgtest::RepaintOnly()) << row.name;
    // The partial draws only have to give back what they take.
    host.DrawLine(window);
    host.DrawSelection(window);
  }
}

TEST(VariogramPlotTest, NullHandleWindowAndOtherTypes) {
  EXPECT_EQ(_kvGraphDrawVarmPlt(nullptr, nullptr), -1);
  EXPECT_EQ(_kvGraphDrawVrgLine(nullptr), -1);
  EXPECT_EQ(_kvGraphDrawSelectPoint(nullptr), -1);
  VarmHost host;
  host.entries = Row370();
  host.Load(8, 0);
  EXPECT_EQ(Balanced([&] {
              return _kvGraphDrawVarmPlt(host.graph(), nullptr);
            }),
            1);
  EXPECT_EQ(Balanced([&] { return _kvGraphDrawVrgLine(host.graph()); }), 1);
  EXPECT_EQ(Balanced([&] { return _kvGraphDrawSelectPoint(host.graph()); }),
            1);
  EXPECT_EQ(Balanced([&] { return _kvGraphSetVrgNug(host.graph(), 2.5); }),
            1);
  EXPECT_EQ(Balanced([&] {
              return _kvGraphSetColor(host.graph(), RGB(0, 128, 0),
                                      RGB(0, 0, 0));
            }),
            1);
  EXPECT_EQ(CallsDrawnWith(host.Draw(), "LineTo ", "pen solid 1 008000")
                .size(),
            18u)
      << "nine crosses in the new point colour";
}

TEST(VariogramPlotTest, HugeValuesDrawWithoutOverflow) {
  VarmHost host;
  host.entries = {VariogramEntry(1e300, 1e300, 30),
                  VariogramEntry(-1e300, -1e300, 30)};
  host.model = FlatModel(1e308);
  host.Load(0, 1);
  host.SetSill(1, 1e308);
  host.SetLine(1);
  const auto log = host.Draw();
  EXPECT_GE(log.size(), 2u);
}

// Regression: the current cut-off beyond the rows the host declared read
// entries past the end of its array; such a row now draws no points.
TEST(VariogramPlotTest, CurrentCutOffOutsideTheRowsDrawsNoPoints) {
  for (int current : {1, -1}) {
    VarmHost host;
    host.entries = Row370();
    host.selected.assign(host.entries.size(), 1);
    host.Load(8, 0, 1, current);
    host.SetLine(1);
    RecordingWindow window(kSide, kSide);
    const auto log = host.Draw(window);
    EXPECT_TRUE(Strokes(Pass(log, 1)).empty()) << "current " << current;
    EXPECT_TRUE(Strokes(host.DrawSelection(window)).empty())
        << "current " << current;
  }
}

// Regression: with a negative lag count the model array need not hold the
// records 0 and 2 the curve starts with; reading them was out of bounds.
TEST(VariogramPlotTest, NegativeLagCountDrawsNoModelCurve) {
  VarmHost host;
  host.entries = {VariogramEntry(100, 10, 30)};
  host.model = {kgtest::ModelRecord(0, 0)};
  host.Load(-1, 1);
  const auto log = host.Draw();
  ASSERT_EQ(LinesStartingWith(log, "GetDC").size(), 3u);
  EXPECT_TRUE(Strokes(Pass(log, 2)).empty());
}

// Regression: recorded positions near the 32-bit bounds overflowed when the
// plot corner was added; the sums now saturate.
TEST(VariogramPlotTest, RecordedPositionsNearTheBoundsSaturate) {
  VarmHost host;
  host.entries = {VariogramEntry(100, 10, 30), VariogramEntry(200, 20, 30)};
  host.Load(0, 0);
  RecordingWindow window(kSide, kSide);
  host.Draw(window);
  host.positions[0] = CPoint(INT_MAX, INT_MAX);
  host.positions[1] = CPoint(INT_MAX - 1, INT_MAX - 1);
  host.selected[0] = 1;
  const auto marks = Strokes(host.DrawSelection(window));
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0], "MoveTo 2147483647 2147483644");
  host.selected[0] = 0;
  const auto line = Strokes(host.DrawLine(window));
  EXPECT_EQ(line, (std::vector<std::string>{"MoveTo 2147483647 2147483647",
                                             "LineTo 2147483647 2147483647"}));
}

TEST(VariogramPlotTest, RendersAPicture) {
  VarmHost host;
  host.entries = Row370();
  host.model = FlatModel(0);
  for (size_t k = 1; k < host.model.size(); ++k) {
    host.model[k].value =
        2 + 30 * (1 - std::exp(-3 * host.model[k].h / 300));
  }
  host.selected.assign(host.entries.size(), 0);
  host.selected[3] = 1;
  host.Load(8, 1);
  host.SetLine(1);
  host.SetSill(1, 32);
  RecordingWindow window(kSide, kSide);
  host.Draw(window);
  host.DrawSelection(window);
  const CanvasWindow& canvas = window.window();
  // A blue cross at (40, 0.2), the red highlight at (120, 10), the red model
  // at lag 0, the blue sill at 32, white inside the plot elsewhere.
  EXPECT_EQ(canvas.Pixel(45 + 40, 8 + 448), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(45 + 120, 8 + 350), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(45 + 200, 8 + 130), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(45 + 420, 8 + 420), RGB(255, 255, 255));
  EXPECT_TRUE(canvas.SavePng(testing::TempDir() + "variogram_plot.png"));
}

}  // namespace
