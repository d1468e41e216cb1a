// The window's picture drawn again from its display list: at one pixel per
// pixel cairo covers the pixels the raster painted, for every shape and pen;
// a repaint or a resize starts the picture anew; other scales and the
// vector formats give files of the picture's size.
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "test_support/rgb_png.h"

namespace {

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "platform_vector_" + name;
}

// Draws with a pen of its own and a brush of its own, then restores both.
void WithPen(CDC* dc, int style, int width, COLORREF color,
             const std::function<void()>& draw) {
  CPen pen(style, width, color);
  CBrush brush(kBlue);
  CPen* old_pen = dc->SelectObject(&pen);
  CBrush* old_brush = dc->SelectObject(&brush);
  draw();
  dc->SelectObject(old_brush);
  dc->SelectObject(old_pen);
}

// Returns the number of pixels where the cairo-drawn PNG at scale 1 differs
// from the window's raster; -1 when it cannot be saved or read.
int DifferingPixels(CanvasWindow& window, const std::string& name) {
  const std::string path = TempPath(name + ".png");
  kgtest::RgbPicture picture;
  if (!window.SaveScaledPng(path, 1.0) || !kgtest::ReadRgbPng(path, &picture) ||
      picture.width != window.Width() || picture.height != window.Height()) {
    return -1;
  }
  std::remove(path.c_str());
  int differing = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      differing += picture.At(x, y) != window.Pixel(x, y);
    }
  }
  return differing;
}

TEST(VectorExportTest, ShapesCoverTheRastersPixels) {
  const struct {
    const char* name;
    int style;
    int width;
    std::function<void(CDC*)> draw;
    int allowed;  // pixels that may differ
  } cases[] = {
      {"lines in every octant", PS_SOLID, 1,
       [](CDC* dc) {
         for (int k = 0; k < 16; ++k) {
           dc->MoveTo(40, 30);
           dc->LineTo(40 + (k % 4 - 2) * 13 + k, 30 + (k / 4 - 2) * 11 - k);
         }
       },
       0},
      {"dotted lines, opaque gaps", PS_DOT, 1,
       [](CDC* dc) {
         dc->MoveTo(3, 5);
         dc->LineTo(70, 5);
         dc->MoveTo(60, 2);
         dc->LineTo(60, 55);
       },
       0},
      {"dotted rectangle", PS_DOT, 1,
       [](CDC* dc) { dc->Rectangle(5, 6, 60, 50); }, 0},
      {"rectangles, thin ones too", PS_SOLID, 1,
       [](CDC* dc) {
         dc->Rectangle(5, 6, 60, 50);
         dc->Rectangle(70, 6, 71, 50);
         dc->Rectangle(72, 6, 74, 7);
       },
       0},
      {"marker ellipses", PS_SOLID, 1,
       [](CDC* dc) {
         for (int i = 0; i < 8; ++i) {
           dc->Ellipse(4 + 9 * i, 10, 8 + 10 * i, 14 + i);
         }
       },
       32},
      {"viewport origin", PS_SOLID, 1,
       [](CDC* dc) {
         dc->SetViewportOrg(20, 15);
         dc->Rectangle(0, 0, 30, 20);
         dc->MoveTo(0, 20);
         dc->LineTo(30, 0);
       },
       0},
      {"clipped far outside", PS_SOLID, 1,
       [](CDC* dc) {
         dc->MoveTo(-2000000000, 30);
         dc->LineTo(2000000000, 31);
         dc->Rectangle(-2000000000, -2000000000, 40, 40);
       },
       80},
  };
  // An ellipse's outline is a curve one pixel wide: where it steps
  // diagonally it may take a neighbouring pixel. A line billions of pixels
  // long stays within a 256th of a pixel of a midpoint across the window and
  // may sit one row off there.
  for (const auto& row : cases) {
    PaintSession session(80, 60);
    WithPen(session.dc(), row.style, row.width, kRed,
            [&] { row.draw(session.dc()); });
    const int differing = DifferingPixels(session.window(), "shapes");
    EXPECT_GE(differing, 0) << row.name;
    EXPECT_LE(differing, row.allowed) << row.name;
  }
}

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
  for (const auto& row : cases) {
    PaintSession session(60, 50);
    WithPen(session.dc(), PS_SOLID, 1, kRed,
            [&] { session.dc()->Rectangle(2, 2, 30, 30); });
    row.between(session);
    WithPen(session.dc(), PS_SOLID, 1, kBlack,
            [&] { session.dc()->Ellipse(20, 20, 45, 38); });
    EXPECT_EQ(DifferingPixels(session.window(), "anew"), 0) << row.name;
  }
}

TEST(VectorExportTest, FilesOfThePicturesSize) {
  PaintSession session(64, 48);
  WithPen(session.dc(), PS_SOLID, 1, kRed,
          [&] { session.dc()->Rectangle(2, 2, 30, 30); });
  CanvasWindow& window = session.window();
  const std::string png = TempPath("scaled.png");
  ASSERT_TRUE(window.SaveScaledPng(png, 2.5));
  kgtest::RgbPicture picture;
  ASSERT_TRUE(kgtest::ReadRgbPng(png, &picture));
  EXPECT_EQ(picture.width, 160);
  EXPECT_EQ(picture.height, 120);
  const struct {
    const char* name;
    std::function<bool(const std::string&)> save;
    const char* head;
  } formats[] = {
      {"svg", [&](const std::string& p) { return window.SaveSvg(p); }, "<?xml"},
      {"pdf", [&](const std::string& p) { return window.SavePdf(p); }, "%PDF"},
  };
  for (const auto& row : formats) {
    const std::string path = TempPath(row.name);
    ASSERT_TRUE(row.save(path)) << row.name;
    std::ifstream in(path);
    std::string head(5, ' ');
    in.read(&head[0], 5);
    EXPECT_EQ(head.compare(0, std::string(row.head).size(), row.head), 0)
        << row.name;
    std::remove(path.c_str());
  }
  std::remove(png.c_str());
}

TEST(VectorExportTest, RefusesScalesAndPathsItCannotUse) {
  CanvasWindow window(10, 10);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    double scale;
    std::string path;
  } cases[] = {{"zero scale", 0, TempPath("zero.png")},
               {"nan scale", nan, TempPath("nan.png")},
               {"huge scale", 1e6, TempPath("huge.png")},
               {"unwritable", 1, "/nonexistent-directory/x.png"}};
  for (const auto& row : cases) {
    EXPECT_FALSE(window.SaveScaledPng(row.path, row.scale)) << row.name;
  }
  EXPECT_FALSE(window.SaveSvg("/nonexistent-directory/x.svg"));
  EXPECT_FALSE(window.SavePdf("/nonexistent-directory/x.pdf"));
}

}  // namespace
