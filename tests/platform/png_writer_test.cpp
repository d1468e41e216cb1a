#include "platform/png_writer.h"

#include <cstdio>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "test_support/rgb_png.h"

namespace {

std::string TempPath(const char* name) {
  return testing::TempDir() + "platform_png_" + name + ".png";
}

TEST(PngWriterTest, RoundTripKeepsEveryPixel) {
  PaintSession session(37, 23, RGB(10, 200, 30));
  CPen pen(PS_DOT, 1, RGB(250, 1, 128));
  CBrush brush(RGB(3, 4, 5));
  CDC* dc = session.dc();
  CPen* old_pen = dc->SelectObject(&pen);
  CBrush* old_brush = dc->SelectObject(&brush);
  dc->Ellipse(2, 2, 30, 20);
  dc->MoveTo(0, 22);
  dc->LineTo(36, 0);
  dc->SelectObject(old_brush);
  dc->SelectObject(old_pen);

  const std::string path = TempPath("round_trip");
  ASSERT_TRUE(session.window().SavePng(path));
  kgtest::RgbPicture picture;
  ASSERT_TRUE(kgtest::ReadRgbPng(path, &picture));
  ASSERT_EQ(picture.width, 37);
  ASSERT_EQ(picture.height, 23);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      ASSERT_EQ(picture.At(x, y), session.window().Pixel(x, y))
          << x << "," << y;
    }
  }
  std::remove(path.c_str());
}

TEST(PngWriterTest, FailsForAnEmptyWindowOrAnUnwritablePath) {
  CanvasWindow empty(0, 5);
  EXPECT_FALSE(empty.SavePng(TempPath("empty")));
  CanvasWindow window(4, 4);
  EXPECT_FALSE(window.SavePng("/nonexistent-directory/x.png"));
}

}  // namespace
