// A run of markers comes out as the same markers drawn call by call: the
// same pixels, the same picture saved as SVG, the same ledger.
#include "platform/marker_run.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "platform/ledger.h"

namespace {

// The SVG's text less cairo's running surface number.
std::string SvgText(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return std::regex_replace(text.str(), std::regex("surface[0-9]+"), "");
}

// The markers as a chart draws each by hand.
void DrawOneByOne(CDC* dc, const PenSpec& pen_spec, const COLORREF* fill,
                  const std::vector<RECT>& boxes) {
  for (const RECT& box : boxes) {
    CPen pen(pen_spec.style, pen_spec.width, pen_spec.color);
    CBrush brush(fill != nullptr ? *fill : 0);
    CPen* old_pen = dc->SelectObject(&pen);
    CBrush* old_brush = fill != nullptr ? dc->SelectObject(&brush) : nullptr;
    dc->Ellipse(box.left, box.top, box.right, box.bottom);
    if (old_brush != nullptr) dc->SelectObject(old_brush);
    dc->SelectObject(old_pen);
  }
}

TEST(MarkerRunTest, DrawsAsTheCallsOneByOne) {
  const struct {
    const char* name;
    PenSpec pen;
    const COLORREF* fill;
    CPoint origin;
    std::vector<RECT> boxes;
  } cases[] = {
      // clang-format off
      {"overlapping, own brush", {PS_SOLID, 1, kBlack}, &kRed, {0, 0},
       {{4, 4, 8, 8}, {6, 5, 10, 9}, {6, 5, 10, 9}, {20, 3, 29, 9}}},
      {"the selected brush", {PS_SOLID, 1, kBlue}, nullptr, {0, 0},
       {{4, 4, 8, 8}, {5, 6, 9, 10}}},
      {"across the edges", {PS_SOLID, 1, kBlack}, &kRed, {0, 0},
       {{-2, -2, 2, 2}, {38, 28, 42, 32}, {10, -3, 14, 1}}},
      {"a viewport origin", {PS_SOLID, 1, kBlack}, &kRed, {7, 5},
       {{0, 0, 4, 4}, {-9, -7, -5, -3}}},
      {"a dotted pen", {PS_DOT, 1, kBlue}, &kRed, {0, 0},
       {{2, 2, 16, 12}, {18, 4, 30, 20}}},
      {"a wide pen beyond 16 bits", {PS_SOLID, 3, kBlack}, &kRed, {-40000, 0},
       {{40010, 10, 40016, 16}, {40000, 2, 40040, 40}, {12, 4, 16, 8}}},
      // clang-format on
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
    int differing = 0;
    for (int i = 0; i < 40 * 30; ++i) {
      differing += run.window().Pixel(i % 40, i / 40) !=
                   calls.window().Pixel(i % 40, i / 40);
    }
    EXPECT_EQ(differing, 0) << row.name;
    ASSERT_TRUE(run.window().SaveSvg(run_svg) &&
                calls.window().SaveSvg(calls_svg))
        << row.name;
    EXPECT_EQ(SvgText(run_svg), SvgText(calls_svg)) << row.name;
  }
}

}  // namespace
