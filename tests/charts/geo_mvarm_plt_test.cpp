// The multiple-variogram plot drawn through the exports, checked on the call
// log, on the host's position arrays and on the raster.
#include <cmath>
#include <limits>
#include <string>
#include <utility>
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

// 503 x 514 gives a 450 x 450 plot at (45, 8): bottom margin 514 * 55 / 503.
constexpr int kWidth = 503;
constexpr int kHeight = 514;
const CPoint kUntouched(-7, -7);
constexpr ULONG kRed = 0x0000FF;
constexpr ULONG kGreen = 0x008000;
constexpr ULONG kBlue = 0xFF0000;

// The host side of one multiple-variogram plot. Every export goes through
// Balanced, so each one is checked for leaks.
class MVarmHost {
 public:
  MVarmHost() : graph_(_kvCreateKvGraphObj(9)) {
    Balanced([&] { return _kvGraphSetAxiName(graph_, "Distance", "Gamma"); },
             "SetAxiName");
  }
  ~MVarmHost() { _kvDeleteKvGraphObj(graph_); }
  MVarmHost(const MVarmHost&) = delete;
  MVarmHost& operator=(const MVarmHost&) = delete;

  CKorvaGraph* graph() { return graph_; }

  // Resets the position arrays to kUntouched and loads every variogram.
  LONG Load(int load_flag, int cutoff_count = 1, int current = 0) {
    positions.resize(variograms.size());
    std::vector<Variogram*> entries;
    std::vector<CPoint*> points;
    for (size_t i = 0; i < variograms.size(); ++i) {
      positions[i].assign(variograms[i].size(), kUntouched);
      entries.push_back(variograms[i].data());
      points.push_back(positions[i].data());
    }
    const LONG status = Balanced(
        [&] {
          return _kvGraphLoadMVarmData(
              graph_, entries.data(), lag_counts.data(), points.data(),
              static_cast<LONG>(variograms.size()), show.data(), load_flag);
        },
        "LoadMVarmData");
    Balanced([&] {
      return _kvGraphSetMCutOffNO(graph_, cutoff_count, current);
    });
    return status;
  }
  void SetColors() {
    EXPECT_EQ(Balanced([&] {
                return _kvGraphSetMColor(graph_, colors.data(), nullptr);
              }),
              1);
  }
  void SetLine(int flag) {
    Balanced([&] { return _kvGraphSetMIsDspLine(graph_, flag); });
  }
  void SetSill(int flag, double sill) {
    Balanced([&] { return _kvGraphSetMIsDspSill(graph_, flag, sill); });
  }

  std::vector<std::string> Draw(RecordingWindow& window) {
    EXPECT_EQ(Balanced([&] {
                return _kvGraphDrawMVarmPlt(graph_, window.Wnd());
              }, "DrawMVarmPlt"),
              1);
    return window.Take();
  }
  std::vector<std::string> Draw() {
    RecordingWindow window(kWidth, kHeight);
    return Draw(window);
  }
  std::vector<std::string> DrawLines(RecordingWindow& window) {
    EXPECT_EQ(Balanced([&] { return _kvGraphDrawMVrgLine(graph_); },
                       "DrawMVrgLine"),
              1);
    return window.Take();
  }

  std::vector<std::vector<Variogram>> variograms;
  std::vector<LONG> lag_counts;
  std::vector<std::vector<CPoint>> positions;
  std::vector<int> show;
  std::vector<ULONG> colors;

 private:
  CKorvaGraph* graph_;
};

// Three variograms: 0 up to (200, 20), 1 up to (370, 37), 2 up to (300, 12).
void LoadThree(MVarmHost& host, std::vector<int> show, int load_flag = 0) {
  host.variograms = {
      {VariogramEntry(0, 0, 0), VariogramEntry(50, 5, 50),
       VariogramEntry(100, 10, 50), VariogramEntry(150, 15, 50),
       VariogramEntry(200, 20, 50)},
      {VariogramEntry(0, 0, 0), VariogramEntry(100, 10, 50),
       VariogramEntry(370, 37, 50)},
      {VariogramEntry(0, 0, 0), VariogramEntry(60, 2, 50),
       VariogramEntry(120, 4, 50), VariogramEntry(180, 6, 50),
       VariogramEntry(240, 8, 50), VariogramEntry(300, 12, 50)}};
  host.lag_counts = {3, 1, 4};
  host.show = std::move(show);
  host.colors = {kRed, kGreen, kBlue};
  EXPECT_EQ(host.Load(load_flag), 1);
  host.SetColors();
}

std::vector<std::string> Crosses(const std::vector<CPoint>& centres) {
  std::vector<std::string> out;
  for (const CPoint& c : centres) {
    for (const auto& call : CrossCalls(c.x, c.y)) out.push_back(call);
  }
  return out;
}

const std::vector<std::string> kStandardTexts = {
    "Distance, 10", "-2", "0", "0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4",
    "Gamma", ",", "10", "-1", "0", "1", "2", "3", "4"};

TEST(MultipleVariogramPlotTest, HiddenVariogramStillWidensTheAxes) {
  MVarmHost host;
  LoadThree(host, {1, 0, 1});
  host.SetLine(1);
  const auto log = host.Draw();
  // Variogram 1 alone reaches lag 370 and semivariance 37.
  EXPECT_EQ(TextsDrawn(Pass(log, 0)), kStandardTexts);
  const auto points = Pass(log, 1);
  EXPECT_EQ(Strokes(points),
            Crosses({{50, 400}, {100, 350}, {150, 300}, {200, 250},
                     {60, 430}, {120, 410}, {180, 390}, {240, 370},
                     {300, 330}}));
  EXPECT_EQ(CallsDrawnWith(points, "LineTo ", "pen solid 1 0000FF").size(), 8u);
  EXPECT_EQ(CallsDrawnWith(points, "LineTo ", "pen solid 1 FF0000").size(), 10u);
  EXPECT_TRUE(CallsDrawnWith(points, "LineTo ", "pen solid 1 008000").empty());
  for (const CPoint& p : host.positions[1]) EXPECT_TRUE(p == kUntouched);
  // The lines of the shown variograms only, each in its colour.
  const auto lines = Pass(log, 2);
  EXPECT_EQ(CallsDrawnWith(lines, "LineTo ", "pen solid 1 0000FF"),
            (std::vector<std::string>{"LineTo 145 358", "LineTo 195 308",
                                      "LineTo 245 258"}));
  EXPECT_EQ(CallsDrawnWith(lines, "LineTo ", "pen solid 1 FF0000"),
            (std::vector<std::string>{"LineTo 165 418", "LineTo 225 398",
                                      "LineTo 285 378", "LineTo 345 338"}));
  EXPECT_TRUE(CallsDrawnWith(lines, "LineTo ", "pen solid 1 008000").empty());
}

TEST(MultipleVariogramPlotTest, OwnLagCountsPickTheirCurrentRows) {
  // Cut-off count 2, current 1: rows of 7 and of 10 entries.
  MVarmHost host;
  host.variograms.resize(2);
  for (int i = 0; i < 14; ++i) {
    host.variograms[0].push_back(VariogramEntry(20.0 * i, 2.0 * i, 30));
  }
  for (int i = 0; i < 20; ++i) {
    host.variograms[1].push_back(VariogramEntry(10.0 * i, 1.0 * i, 30));
  }
  host.lag_counts = {5, 8};
  host.show = {1, 1};
  host.colors = {kRed, kBlue};
  ASSERT_EQ(host.Load(0, 2, 1), 1);
  host.SetColors();
  host.Draw();
  // X 0 to 350 by 50 (450 / 350 pixels a unit), Y 0 to 35 by 5.
  for (int j = 0; j < 14; ++j) {
    EXPECT_EQ(host.positions[0][j] == kUntouched, j < 7) << "variogram 0, " << j;
  }
  for (int j = 0; j < 20; ++j) {
    EXPECT_EQ(host.positions[1][j] == kUntouched, j < 10) << "variogram 1, " << j;
  }
  EXPECT_TRUE(host.positions[0][13] == CPoint(334, 116));
  EXPECT_TRUE(host.positions[1][10] == CPoint(128, 322));
}

TEST(MultipleVariogramPlotTest, XLabelsAtEveryTick) {
  MVarmHost host;
  LoadThree(host, {1, 1, 1});
  const auto frame = Pass(host.Draw(), 0);
  const auto texts = kgtest::TextCalls(frame);
  ASSERT_EQ(texts.size(), kStandardTexts.size());
  for (int i = 0; i <= 8; ++i) {
    EXPECT_EQ(texts[2 + i], "TextOut " + std::to_string(50 * i) + " 454 \"" +
                                kStandardTexts[2 + i] + "\"")
        << "tick " << i;
  }
  // The titles and Y labels stand where the single variogram plot puts them.
  EXPECT_EQ(texts[0], "TextOut 222 474 \"Distance, 10\"");
  EXPECT_EQ(texts[1], "TextOut 261 470 \"-2\"");
  EXPECT_EQ(texts[11], "TextOut -30 209 \"Gamma\"");
  EXPECT_EQ(texts[19], "TextOut -5 42 \"4\"");
  // Tick marks on all four sides, no grid.
  EXPECT_EQ(Strokes(frame).size(), 4u * 16u);
  EXPECT_TRUE(CallsDrawnWith(frame, "LineTo ", "pen dot").empty());
}

TEST(MultipleVariogramPlotTest, SillLine) {
  const std::vector<std::string> kSillAtZero = {
      "GetDC", "SetViewportOrg 45 8", "MoveTo 0 450",
      "LineTo 370 450 | dev 415 458 | pen solid 1 000000", "ReleaseDC"};
  const std::vector<std::string> kSillAt50Raised = {
      "GetDC", "SetViewportOrg 45 8", "MoveTo 0 169",
      "LineTo 370 169 | dev 415 177 | pen solid 1 000000", "ReleaseDC"};
  struct Row {
    const char* name;
    int load_flag;
    int sill_flag;
    bool set_sill;
    size_t sill_passes;
    std::vector<std::string> sill_pass;
    const char* top_y_label;
  } rows[] = {
      {"load flag 1, sill flag 0, no sill set: at 0", 1, 0, false, 1,
       kSillAtZero, "4"},
      {"sill flag 2: drawn, the axis not raised", 0, 2, true, 1,
       {"GetDC", "SetViewportOrg 45 8", "MoveTo 0 -50",
        "LineTo 370 -50 | dev 415 -42 | pen solid 1 000000", "ReleaseDC"},
       "4"},
      {"sill flag 1: drawn and the axis raised to 80", 0, 1, true, 1,
       kSillAt50Raised, "6"},
      {"both flags: drawn twice", 1, 1, true, 2, kSillAt50Raised, "6"},
      {"neither flag", 0, 0, true, 0, {}, "4"},
  };
  for (const Row& row : rows) {
    MVarmHost host;
    LoadThree(host, {1, 1, 1}, row.load_flag);
    if (row.set_sill) host.SetSill(row.sill_flag, 50);
    const auto log = host.Draw();
    ASSERT_EQ(LinesStartingWith(log, "GetDC").size(), 2 + row.sill_passes)
        << row.name;
    for (size_t k = 0; k < row.sill_passes; ++k) {
      EXPECT_EQ(Pass(log, static_cast<int>(2 + k)), row.sill_pass)
          << row.name;
    }
    EXPECT_EQ(TextsDrawn(Pass(log, 0)).back(), row.top_y_label) << row.name;
  }
}

TEST(MultipleVariogramPlotTest, NothingIsDrawnUntilColoursAreSet) {
  MVarmHost host;
  host.variograms = {{VariogramEntry(0, 0, 0), VariogramEntry(370, 37, 50)}};
  host.lag_counts = {0};
  host.show = {1};
  ASSERT_EQ(host.Load(1), 1);
  host.SetLine(1);
  RecordingWindow window(kWidth, kHeight);
  EXPECT_EQ(host.Draw(window), kgtest::RepaintOnly());
  EXPECT_TRUE(host.DrawLines(window).empty());
  host.colors = {kBlue};
  host.SetColors();
  EXPECT_EQ(LinesStartingWith(host.Draw(window), "GetDC").size(), 4u)
      << "frame, points, lines and the load flag's sill";
}

TEST(MultipleVariogramPlotTest, LinesLandOnTheRecordedPoints) {
  MVarmHost host;
  LoadThree(host, {1, 1, 1});
  RecordingWindow window(kWidth, kHeight);
  host.Draw(window);
  const auto lines = host.DrawLines(window);
  std::vector<std::string> expected = {"GetDC"};
  const char* pens[] = {"0000FF", "008000", "FF0000"};
  for (size_t i = 0; i < host.variograms.size(); ++i) {
    expected.push_back(std::string("SelectObject pen solid 1 ") + pens[i]);
    // Entry 0 has no pairs: it has no position and is not on the line.
    for (size_t j = 1; j + 1 < host.variograms[i].size(); ++j) {
      const CPoint& a = host.positions[i][j];
      const CPoint& b = host.positions[i][j + 1];
      expected.push_back("MoveTo " + std::to_string(a.x + 45) + " " +
                         std::to_string(a.y + 8));
      expected.push_back("LineTo " + std::to_string(b.x + 45) + " " +
                         std::to_string(b.y + 8) + " | dev " +
                         std::to_string(b.x + 45) + " " +
                         std::to_string(b.y + 8) + " | pen solid 1 " +
                         pens[i]);
    }
    expected.push_back("SelectObject pen solid 1 000000");
  }
  expected.push_back("ReleaseDC");
  EXPECT_EQ(lines, expected);
  // The middle of variogram 2's segment from (180, 6) to (240, 8).
  EXPECT_EQ(window.window().Pixel(45 + 210, 8 + 380), kBlue);
}

TEST(MultipleVariogramPlotTest, SelectPointDoesNothing) {
  MVarmHost host;
  LoadThree(host, {1, 1, 1});
  RecordingWindow window(kWidth, kHeight);
  host.Draw(window);
  EXPECT_EQ(Balanced([&] { return _kvGraphDrawMSelectPoint(host.graph()); }),
            1);
  EXPECT_TRUE(window.Take().empty());
  EXPECT_EQ(_kvGraphDrawMSelectPoint(nullptr), -1);
}

TEST(MultipleVariogramPlotTest, LoadStatus) {
  struct Row {
    const char* name;
    std::vector<int> show;
    LONG status;
  } rows[] = {
      {"missing variogram 2 after a shown one", {0, 1, 1}, 1},
      {"missing variogram 2 after hidden ones", {0, 0, 1}, -1},
  };
  for (const Row& row : rows) {
    MVarmHost host;
    LoadThree(host, {1, 1, 1});
    // A second load with variogram 2 missing stops there.
    std::vector<Variogram> replacement = {VariogramEntry(0, 0, 0),
                                          VariogramEntry(40, 4, 50)};
    std::vector<CPoint> replacement_points(2, kUntouched);
    Variogram* entries[] = {replacement.data(), replacement.data(), nullptr};
    CPoint* points[] = {replacement_points.data(), replacement_points.data(),
                        replacement_points.data()};
    LONG lag_counts[] = {0, 0, 0};
    std::vector<int> show = row.show;
    EXPECT_EQ(Balanced([&] {
                return _kvGraphLoadMVarmData(host.graph(), entries, lag_counts,
                                             points, 3, show.data(), 0);
              }),
              row.status)
        << row.name;
    // The count stays 3: variogram 2 of the first load is still drawn.
    host.Draw();
    EXPECT_FALSE(host.positions[2][5] == kUntouched) << row.name;
  }
}

TEST(MultipleVariogramPlotTest, MoreThanTwentyVariogramsAreRefused) {
  MVarmHost host;
  std::vector<Variogram> entries = {VariogramEntry(0, 0, 0),
                                    VariogramEntry(40, 4, 50)};
  std::vector<CPoint> points(2, kUntouched);
  std::vector<Variogram*> all_entries(21, entries.data());
  std::vector<CPoint*> all_points(21, points.data());
  std::vector<LONG> lag_counts(21, 0);
  std::vector<int> show(21, 1);
  EXPECT_EQ(Balanced([&] {
              return _kvGraphLoadMVarmData(host.graph(), all_entries.data(),
                                           lag_counts.data(),
                                           all_points.data(), 21, show.data(),
                                           0);
            }),
            -1);
  EXPECT_EQ(Balanced([&] {
              return _kvGraphLoadMVarmData(host.graph(), all_entries.data(),
                                           lag_counts.data(),
                                           all_points.data(), 20, show.data(),
                                           0);
            }),
            1);
}

TEST(MultipleVariogramPlotTest, DegenerateInputDrawsOnlyTheRepaint) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    std::vector<Variogram> entries;
    LONG lag_count;
    int cutoff_count;
    int width;
    int height;
  } rows[] = {
      {"no entry qualifies", {VariogramEntry(370, 37, 29)}, -1, 1, kWidth,
       kHeight},
      {"zero-size window", {VariogramEntry(370, 37, 30)}, -1, 1, 0, 0},
      {"negative lag count", {VariogramEntry(370, 37, 30)}, -3, 1, kWidth,
       kHeight},
      {"cut-off count 0", {VariogramEntry(370, 37, 30)}, -1, 0, kWidth,
       kHeight},
      {"not-a-number semivariance", {VariogramEntry(370, nan, 30)}, -1, 1,
       kWidth, kHeight},
  };
  for (const Row& row : rows) {
    MVarmHost host;
    host.variograms = {row.entries};
    host.lag_counts = {row.lag_count};
    host.show = {1};
    host.colors = {kBlue};
    ASSERT_EQ(host.Load(1, row.cutoff_count), 1) << row.name;
    host.SetColors();
    host.SetLine(1);
    RecordingWindow window(row.width, row.height);
    EXPECT_EQ(host.Draw(window), kgtest::RepaintOnly()) << row.name;
    host.DrawLines(window);
  }
  // No variograms at all, and no window.
  MVarmHost host;
  host.colors = {kBlue};
  ASSERT_EQ(host.Load(1), 1);
  host.SetColors();
  EXPECT_EQ(host.Draw(), kgtest::RepaintOnly());
  EXPECT_EQ(Balanced([&] { return _kvGraphDrawMVarmPlt(host.graph(), nullptr); }),
            1);
  EXPECT_EQ(_kvGraphDrawMVarmPlt(nullptr, nullptr), -1);
  EXPECT_EQ(_kvGraphDrawMVrgLine(nullptr), -1);
}

// Regression: a current cut-off beyond the declared rows read past the end of
// every variogram's array; such a row now draws no points and no lines.
TEST(MultipleVariogramPlotTest, CurrentCutOffOutsideTheRowsDrawsNothing) {
  MVarmHost host;
  host.variograms = {{VariogramEntry(0, 0, 30), VariogramEntry(370, 37, 30)}};
  host.lag_counts = {0};
  host.show = {1};
  host.colors = {kBlue};
  ASSERT_EQ(host.Load(0, 1, 1), 1);
  host.SetColors();
  host.SetLine(1);
  RecordingWindow window(kWidth, kHeight);
  const auto log = host.Draw(window);
  EXPECT_TRUE(Strokes(Pass(log, 1)).empty());
  EXPECT_TRUE(Strokes(Pass(log, 2)).empty());
  for (const CPoint& p : host.positions[0]) EXPECT_TRUE(p == kUntouched);
}

TEST(MultipleVariogramPlotTest, RendersAPicture) {
  MVarmHost host;
  LoadThree(host, {1, 1, 1}, 1);
  host.SetLine(1);
  host.SetSill(1, 30);
  RecordingWindow window(kWidth, kHeight);
  host.Draw(window);
  const CanvasWindow& canvas = window.window();
  // Crosses in their colours, the black sill at 30, white elsewhere.
  EXPECT_EQ(canvas.Pixel(45 + 50, 8 + 400), kRed);
  EXPECT_EQ(canvas.Pixel(45 + 370, 8 + 80), kGreen);
  EXPECT_EQ(canvas.Pixel(45 + 60, 8 + 430), kBlue);
  EXPECT_EQ(canvas.Pixel(45 + 20, 8 + 150), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(45 + 420, 8 + 420), RGB(255, 255, 255));
  EXPECT_TRUE(canvas.SavePng(testing::TempDir() +
                             "multiple_variogram_plot.png"));
}

}  // namespace
