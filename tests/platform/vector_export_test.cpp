// The window's picture drawn again from its display list starts anew with
// a repaint or a resize, as the raster does: the cairo-drawn PNG at one
// pixel per pixel matches the window's raster.
#include <cstdio>
#include <functional>
#include <string>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "test_support/rgb_png.h"

namespace {

TEST(VectorExportTest, ARepaintOrAResizeStartsThePictureAnew) {
  const struct {
    const char* name;
    std::function<void(PaintSession&)> between;
  } cases[] = {
      {"nothing: both drawings stay", [](PaintSession&) {}},
      {"repaint",
       [](PaintSession& s) {
         InvalidateRect(s.hwnd(), nullptr, TRUE);
         UpdateWindow(s.hwnd());
       }},
      {"resize", [](PaintSession& s) { s.window().Resize(50, 40); }},
  };
  const std::string path = testing::TempDir() + "platform_vector_anew.png";
  for (const auto& row : cases) {
    PaintSession session(60, 50);
    CPen pen(PS_SOLID, 1, kRed);
    CPen* old_pen = session.dc()->SelectObject(&pen);
    session.dc()->Rectangle(2, 2, 30, 30);
    row.between(session);
    session.dc()->Ellipse(20, 20, 45, 38);
    session.dc()->SelectObject(old_pen);
    kgtest::RgbPicture picture;
    ASSERT_TRUE(session.window().SaveScaledPng(path, 1.0) &&
                kgtest::ReadRgbPng(path, &picture))
        << row.name;
    ASSERT_EQ(picture.width, session.window().Width()) << row.name;
    int differing = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        differing += picture.At(x, y) != session.window().Pixel(x, y);
      }
    }
    EXPECT_EQ(differing, 0) << row.name;
  }
  std::remove(path.c_str());
}

}  // namespace
