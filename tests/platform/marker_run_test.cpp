// A run of markers comes out as the same markers drawn call by call: the
// same pixels, the same picture saved as SVG, the same ledger; a window that
// logs its calls gets them one by one instead. The display list keeps
// markers as runs and gives back the ellipses they stand for.
#include "platform/marker_run.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "platform/display_list.h"
#include "platform/ledger.h"

namespace {

// The SVG's text less cairo's running surface number.
std::string SvgText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return std::regex_replace(text.str(), std::regex("surface[0-9]+"), "");
}

// The markers as a chart draws each by hand.
void DrawOneByOne(CDC* dc, const PenSpec& spec, const COLORREF* fill,
                  const std::vector<RECT>& boxes) {
  for (const RECT& box : boxes) {
    CPen pen(spec.style, spec.width, spec.color);
    CPen* old_pen = dc->SelectObject(&pen);
    CBrush brush;
    CBrush* old_brush = nullptr;
    if (fill != nullptr) {
      brush.CreateSolidBrush(*fill);
      old_brush = dc->SelectObject(&brush);
    }
    dc->Ellipse(box.left, box.top, box.right, box.bottom);
    if (old_brush != nullptr) dc->SelectObject(old_brush);
    dc->SelectObject(old_pen);
  }
}

TEST(MarkerRunTest, DrawsAsTheCallsOneByOne) {
  const COLORREF red = kRed;
  const struct {
    const char* name;
    PenSpec pen;
    const COLORREF* fill;
    CPoint origin;
    std::vector<RECT> boxes;
  } cases[] = {
      {"overlapping, own brush",
       {PS_SOLID, 1, kBlack},
       &red,
       {0, 0},
       {{4, 4, 8, 8}, {6, 5, 10, 9}, {6, 5, 10, 9}, {20, 3, 29, 9}}},
      {"the selected brush",
       {PS_SOLID, 1, kBlue},
       nullptr,
       {0, 0},
       {{4, 4, 8, 8}, {5, 6, 9, 10}}},
      {"across the edges",
       {PS_SOLID, 1, kBlack},
       &red,
       {0, 0},
       {{-2, -2, 2, 2}, {38, 28, 42, 32}, {10, -3, 14, 1}}},
      {"a viewport origin",
       {PS_SOLID, 1, kBlack},
       &red,
       {7, 5},
       {{0, 0, 4, 4}, {-9, -7, -5, -3}}},
      {"wide and dotted pens",
       {PS_DOT, 1, kBlue},
       &red,
       {0, 0},
       {{2, 2, 16, 12}, {18, 4, 30, 20}}},
      {"beyond 16 bits",
       {PS_SOLID, 3, kBlack},
       &red,
       {-40000, 0},
       {{40010, 10, 40016, 16}, {40000, 2, 40040, 40}, {12, 4, 16, 8}}},
  };
  const std::string run_svg = testing::TempDir() + "marker_run_run.svg";
  const std::string calls_svg = testing::TempDir() + "marker_run_calls.svg";
  for (const auto& row : cases) {
    PaintSession run(40, 30);
    PaintSession calls(40, 30);
    const GdiLedger before = CurrentGdiLedger();
    run.dc()->SetViewportOrg(row.origin.x, row.origin.y);
    calls.dc()->SetViewportOrg(row.origin.x, row.origin.y);
    ASSERT_TRUE(DrawMarkerRun(run.dc(), row.pen, row.fill, row.boxes.data(),
                              row.boxes.size()))
        << row.name;
    DrawOneByOne(calls.dc(), row.pen, row.fill, row.boxes);
    EXPECT_EQ(CurrentGdiLedger(), before) << row.name;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(run.window().Pixel(x, y), calls.window().Pixel(x, y))
            << row.name << " at " << x << "," << y;
      }
    }
    ASSERT_TRUE(run.window().SaveSvg(run_svg)) << row.name;
    ASSERT_TRUE(calls.window().SaveSvg(calls_svg)) << row.name;
    EXPECT_EQ(SvgText(run_svg), SvgText(calls_svg)) << row.name;
  }
}

TEST(MarkerRunTest, ARecordingWindowGetsNoRun) {
  const struct {
    const char* name;
    bool recording;
    bool drawn;
  } cases[] = {{"recording", true, false}, {"not recording", false, true}};
  for (const auto& row : cases) {
    PaintSession session(20, 20, kWhite);
    if (row.recording) session.window().StartRecording();
    const RECT box{4, 4, 8, 8};
    const PenSpec pen{PS_SOLID, 1, kBlack};
    EXPECT_EQ(DrawMarkerRun(session.dc(), pen, nullptr, &box, 1), row.drawn)
        << row.name;
    EXPECT_EQ(session.window().Pixel(5, 4) == kBlack, row.drawn) << row.name;
    if (row.recording) {
      EXPECT_TRUE(session.window().TakeRecording().empty()) << row.name;
    }
  }
}

TEST(MarkerRunTest, DisplayListGivesBackTheEllipsesOfItsRuns) {
  struct Shape {
    COLORREF brush;
    int left, top, right, bottom;
  };
  const struct {
    const char* name;
    std::vector<Shape> shapes;
    size_t kept;  // records kept for them
  } cases[] = {
      {"one run", {{kRed, 1, 2, 5, 6}, {kRed, -3, 9, 1, 13}}, 1},
      {"brush and size changes",
       {{kRed, 1, 2, 5, 6}, {kBlue, 1, 2, 5, 6}, {kBlue, 1, 2, 6, 6}},
       3},
      {"beyond 16 bits",
       {{kRed, 1, 2, 5, 6}, {kRed, 40000, 2, 40004, 6}, {kRed, 1, 2, 5, 6}},
       3},
  };
  const Stroke pen;
  for (const auto& row : cases) {
    DisplayList list;
    for (const Shape& s : row.shapes) {
      list.AddShape(DisplayOpKind::kEllipse, CPoint(), pen, s.brush, s.left,
                    s.top, s.right, s.bottom);
    }
    EXPECT_EQ(list.ops().size(), row.kept + 1) << row.name;  // + the pen
    std::vector<DisplayOp> storage;
    const std::vector<DisplayOp>& ops = list.Expanded(&storage);
    ASSERT_EQ(ops.size(), row.shapes.size() + 1) << row.name;
    for (size_t i = 0; i < row.shapes.size(); ++i) {
      const DisplayOp& op = ops[i + 1];
      const Shape& s = row.shapes[i];
      EXPECT_TRUE(op.kind() == DisplayOpKind::kEllipse && op.arg() == s.brush &&
                  op.v[0] == s.left && op.v[1] == s.top && op.v[2] == s.right &&
                  op.v[3] == s.bottom)
          << row.name << " ellipse " << i;
    }
  }
}

}  // namespace
