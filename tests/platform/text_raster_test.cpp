#include "platform/text_raster.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/afx_gdi.h"
#include "platform/canvas_test_util.h"
#include "platform/gdi32.h"

namespace {

FontSpec TimesSpec(int height, int width) {
  FontSpec wanted;
  wanted.height = height;
  wanted.width = width;
  wanted.weight = FW_NORMAL;
  wanted.face = "Times New Roman";
  return wanted;
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  bool empty() const { return right < 0; }
};

// The bounding box of the pixels that are neither of the two colours.
Box InkBox(const CanvasWindow& window, COLORREF background, COLORREF box) {
  Box ink;
  for (int y = 0; y < window.Height(); ++y) {
    for (int x = 0; x < window.Width(); ++x) {
      const COLORREF pixel = window.Pixel(x, y);
      if (pixel == background || pixel == box) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

class TextTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!MeasureText(TimesSpec(15, 0), "0", 1, &extent_)) {
      GTEST_SKIP() << "no font available";
    }
  }
  TextExtent extent_;
};

TEST_F(TextTest, CellHeightFollowsTheRequestedHeight) {
  for (int height : {10, 15, 20, 31}) {
    TextExtent extent;
    ASSERT_TRUE(MeasureText(TimesSpec(height, 0), "8", 1, &extent));
    EXPECT_LE(extent.ascent + extent.descent, height + 1) << height;
    EXPECT_GE(extent.ascent + extent.descent, height - 1) << height;
    EXPECT_GT(extent.ascent, extent.descent) << height;
  }
}

TEST_F(TextTest, WidthIsTheSumOfAdvancesAndFollowsTheAverageWidth) {
  TextExtent one, three, narrow, wide;
  ASSERT_TRUE(MeasureText(TimesSpec(15, 0), "5", 1, &one));
  ASSERT_TRUE(MeasureText(TimesSpec(15, 0), "555", 3, &three));
  ASSERT_TRUE(MeasureText(TimesSpec(15, 4), "555", 3, &narrow));
  ASSERT_TRUE(MeasureText(TimesSpec(15, 10), "555", 3, &wide));
  EXPECT_GT(one.width, 0);
  EXPECT_EQ(three.width, 3 * one.width);
  EXPECT_LT(narrow.width, wide.width);
  EXPECT_EQ(narrow.ascent, wide.ascent);  // width stretches, not height
}

struct AlignCase {
  const char* name;
  UINT align;
  int (*box_left)(int x, int width);  // where the text's box starts
};

TEST_F(TextTest, AlignmentPlacesTheTextBox) {
  const std::vector<AlignCase> cases = {
      {"left top", TA_LEFT | TA_TOP, [](int x, int) { return x; }},
      {"centre top", TA_CENTER | TA_TOP,
       [](int x, int width) { return x - width / 2; }},
      {"right top", TA_RIGHT | TA_TOP,
       [](int x, int width) { return x - width; }},
  };
  const FontSpec wanted = TimesSpec(15, 5);
  const std::string text = "12.5";
  TextExtent extent;
  ASSERT_TRUE(MeasureText(wanted, text.data(), 4, &extent));
  for (const AlignCase& row : cases) {
    PaintSession session(120, 40, kGrey);
    CFont font;
    font.Attach(CreateFontA(15, 5, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                            "Times New Roman"));
    CFont* old = session.dc()->SelectObject(&font);
    session.dc()->SetTextAlign(row.align);
    session.dc()->TextOut(60, 10, text.c_str(), 4);
    session.dc()->SelectObject(old);
    const int left = row.box_left(60, extent.width);
    // The opaque box is exactly [left, left + width) x [y, y + cell).
    const Box box = InkBox(session.window(), kGrey, kBlack);
    EXPECT_EQ(box.left, left) << row.name;
    EXPECT_EQ(box.right, left + extent.width - 1) << row.name;
    EXPECT_EQ(box.top, 10) << row.name;
    EXPECT_EQ(box.bottom, 10 + extent.ascent + extent.descent - 1) << row.name;
    // The glyphs lie inside it and are not blank.
    const Box ink = InkBox(session.window(), kGrey, kWhite);
    ASSERT_FALSE(ink.empty()) << row.name;
    EXPECT_GE(ink.left, left) << row.name;
    EXPECT_LE(ink.right, left + extent.width - 1) << row.name;
    EXPECT_GE(ink.top, 10) << row.name;
    EXPECT_LE(ink.bottom, 10 + extent.ascent + extent.descent - 1) << row.name;
  }
}

TEST_F(TextTest, TransparentModeFillsNoBox) {
  PaintSession session(60, 30, kGrey);
  session.dc()->SetBkMode(TRANSPARENT);
  session.dc()->TextOut(5, 5, "Ag", 2);
  EXPECT_EQ(CountPixels(session.window(), kWhite), 0);
  EXPECT_GT(CountPixels(session.window(), kBlack), 0);
  // Antialiased: some pixels are blends between the text and the window.
  EXPECT_GT(60 * 30 - CountPixels(session.window(), kGrey) -
                CountPixels(session.window(), kBlack),
            0);
}

TEST_F(TextTest, BaselineAlignmentPutsTheCellAboveY) {
  PaintSession session(60, 40, kGrey);
  session.dc()->SetTextAlign(TA_BASELINE);
  session.dc()->TextOut(5, 30, "0", 1);
  TextExtent stock;
  ASSERT_TRUE(
      MeasureText(FontSpec{16, 0, 0, FW_NORMAL, "System"}, "0", 1, &stock));
  const Box box = InkBox(session.window(), kGrey, kBlack);
  EXPECT_EQ(box.top, 30 - stock.ascent);
  EXPECT_EQ(box.bottom, 30 + stock.descent - 1);
}

TEST_F(TextTest, NonAsciiTextAndHugeCoordinatesAreSafe) {
  PaintSession session(40, 20, kGrey);
  EXPECT_TRUE(session.dc()->TextOut(2, 2, "\xC3\xA9\xFF", 3));
  EXPECT_TRUE(session.dc()->TextOut(2000000000, -2000000000, "far", 3));
  EXPECT_FALSE(session.dc()->TextOut(2, 2, nullptr, 3));
  EXPECT_FALSE(session.dc()->TextOut(2, 2, "x", -1));
}

}  // namespace
