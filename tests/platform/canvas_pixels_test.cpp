// A host copies a chart out of a window through Pixels() and RowStride():
// what it reads must be what Pixel() answers, byte order red, green, blue, 0.
#include <gtest/gtest.h>

#include <cstdint>

#include "canvas_test_util.h"

namespace {

TEST(CanvasPixelsTest, RowsHoldWhatPixelAnswers) {
  struct {
    const char* name;
    int width;
    int height;
    COLORREF background;
  } cases[] = {
      {"small", 3, 3, kRed},
      {"wide", 40, 3, RGB(10, 20, 30)},
      {"tall", 3, 40, kBlue},
      {"square", 32, 32, kGrey},
  };
  for (const auto& c : cases) {
    PaintSession session(c.width, c.height, c.background);
    session.dc()->Rectangle(0, 0, c.width / 2 + 1, c.height / 2 + 1);
    const CanvasWindow& window = session.window();
    ASSERT_EQ(window.RowStride(), c.width * 4) << c.name;
    const auto* bytes = reinterpret_cast<const uint8_t*>(window.Pixels());
    int mismatches = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const uint8_t* p = bytes + y * window.RowStride() + x * 4;
        const COLORREF want = window.Pixel(x, y);
        mismatches += p[0] != GetRValue(want) || p[1] != GetGValue(want) ||
                      p[2] != GetBValue(want) || p[3] != 0;
      }
    }
    EXPECT_EQ(mismatches, 0) << c.name;
    // The top-left pixel is the black frame, the bottom-right background.
    EXPECT_EQ(window.Pixels()[c.width * c.height - 1], c.background) << c.name;
    EXPECT_EQ(window.Pixels()[0], kBlack) << c.name;
  }
}

TEST(CanvasPixelsTest, RowsFollowAResize) {
  CanvasWindow window(4, 4, kRed);
  window.Resize(9, 2);
  EXPECT_EQ(window.RowStride(), 36);
  EXPECT_EQ(window.Pixels()[9 * 2 - 1], kRed);
}

}  // namespace
