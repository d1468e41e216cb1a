#include "platform/png_writer.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"

namespace {

// Reads a PNG back as 8-bit RGB with libpng's simplified reader.
bool ReadPng(const std::string& path, int* width, int* height,
             std::vector<png_byte>* rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb->resize(PNG_IMAGE_SIZE(image));
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  return png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) != 0;
}

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
  int width = 0, height = 0;
  std::vector<png_byte> rgb;
  ASSERT_TRUE(ReadPng(path, &width, &height, &rgb));
  ASSERT_EQ(width, 37);
  ASSERT_EQ(height, 23);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const png_byte* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      ASSERT_EQ(RGB(p[0], p[1], p[2]), session.window().Pixel(x, y))
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
