#include "platform/shape_raster.h"

#include <cstdint>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"

namespace {

Stroke PenStroke(COLORREF color, bool dotted = false) {
  Stroke stroke;
  stroke.color = color;
  stroke.dotted = dotted;
  stroke.paint_gaps = true;
  stroke.gap_color = kWhite;
  return stroke;
}

using ShapeDrawer = void (*)(Raster&, const Stroke&, COLORREF, ShapeBox);

struct ShapeCase {
  const char* name;
  ShapeDrawer draw;
  ShapeBox box;
  bool dotted;
  const char* expected;  // X pen, . brush, o gap colour, ' ' untouched
};

std::string Paint(const ShapeCase& row, int width, int height) {
  Raster raster(width, height, kGrey);
  row.draw(raster, PenStroke(kBlack, row.dotted), kRed, row.box);
  return Grid(RasterView(raster), 0, 0, width, height,
              {{kBlack, 'X'}, {kRed, '.'}, {kWhite, 'o'}});
}

// The expected pictures read best as they are laid out.
// clang-format off
TEST(ShapeRasterTest, PaintsRectanglesAndEllipses) {
  const std::vector<ShapeCase> cases = {
      {"rectangle 4 x 3", DrawRectangle, {0, 0, 4, 3}, false,
       "XXXX  \n"
       "X..X  \n"
       "XXXX  \n"
       "      \n"},
      {"rectangle corners swapped", DrawRectangle, {4, 3, 0, 0}, false,
       "XXXX  \n"
       "X..X  \n"
       "XXXX  \n"
       "      \n"},
      {"rectangle l == r", DrawRectangle, {2, 0, 2, 4}, false,
       "      \n"
       "      \n"
       "      \n"
       "      \n"},
      {"rectangle t == b", DrawRectangle, {0, 2, 5, 2}, false,
       "      \n"
       "      \n"
       "      \n"
       "      \n"},
      {"rectangle one column", DrawRectangle, {2, 0, 3, 3}, false,
       "  X   \n"
       "  X   \n"
       "  X   \n"
       "      \n"},
      {"dots run on around a rectangle", DrawRectangle, {0, 0, 5, 4}, true,
       "XXXoo \n"
       "X...o \n"
       "X...X \n"
       "oooXX \n"},
      {"ellipse 2 wide is a rectangle", DrawEllipse, {1, 0, 3, 4}, false,
       " XX   \n"
       " XX   \n"
       " XX   \n"
       " XX   \n"},
      {"ellipse 2 high is a rectangle", DrawEllipse, {0, 1, 5, 3}, false,
       "      \n"
       "XXXXX \n"
       "XXXXX \n"
       "      \n"},
  };
  for (const ShapeCase& row : cases) {
    EXPECT_EQ(Paint(row, 6, 4), row.expected) << row.name;
  }
}

TEST(ShapeRasterTest, EllipseOutlinesAndFillOfThePixelNotes) {
  const std::vector<ShapeCase> cases = {
      {"4 x 4", DrawEllipse, {0, 0, 4, 4}, false,
       " XX \n"
       "X..X\n"
       "X..X\n"
       " XX \n"},
      {"6 x 6", DrawEllipse, {0, 0, 6, 6}, false,
       "  XX  \n"
       " X..X \n"
       "X....X\n"
       "X....X\n"
       " X..X \n"
       "  XX  \n"},
      {"8 x 8", DrawEllipse, {0, 0, 8, 8}, false,
       "  XXXX  \n"
       " X....X \n"
       "X......X\n"
       "X......X\n"
       "X......X\n"
       "X......X\n"
       " X....X \n"
       "  XXXX  \n"},
      {"10 x 10", DrawEllipse, {0, 0, 10, 10}, false,
       "   XXXX   \n"
       "  X....X  \n"
       " X......X \n"
       "X........X\n"
       "X........X\n"
       "X........X\n"
       "X........X\n"
       " X......X \n"
       "  X....X  \n"
       "   XXXX   \n"},
  };
  for (const ShapeCase& row : cases) {
    const int size = static_cast<int>(row.box.right);
    EXPECT_EQ(Paint(row, size, size), row.expected) << row.name;
  }
}

// clang-format on

TEST(ShapeRasterTest, EllipseOutlineStaysInsideItsBox) {
  // Every size, odd ones included: nothing outside [left, right) x [top,
  // bottom), and the outline on the box's left and right edges. The
  // stepping stops at the middle column, so the tips of an ellipse much
  // taller than wide stay open; it reaches top and bottom when h <= w.
  for (int w = 3; w <= 24; ++w) {
    for (int h = 3; h <= 24; ++h) {
      Raster raster(30, 30, kGrey);
      DrawEllipse(raster, PenStroke(kBlack), kRed, {2, 3, 2 + w, 3 + h});
      int left = 30, right = -1, top = 30, bottom = -1;
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
          if (raster.At(x, y) == kGrey) continue;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
      EXPECT_EQ(left, 2) << w << " x " << h;
      EXPECT_EQ(right, 1 + w) << w << " x " << h;
      EXPECT_GE(top, 3) << w << " x " << h;
      EXPECT_LE(bottom, 2 + h) << w << " x " << h;
      if (h <= w) {
        EXPECT_EQ(top, 3) << w << " x " << h;
        EXPECT_EQ(bottom, 2 + h) << w << " x " << h;
      }
    }
  }
}

TEST(ShapeRasterTest, DotsRunOnAroundAnEllipse) {
  // The 8 x 8 outline has 20 pixels: a pattern running on around it paints
  // 11 of them, one restarting at each quadrant would paint 12.
  Raster raster(8, 8, kGrey);
  DrawEllipse(raster, PenStroke(kBlack, true), kRed, {0, 0, 8, 8});
  int on = 0, off = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      on += raster.At(x, y) == kBlack;
      off += raster.At(x, y) == kWhite;
    }
  }
  EXPECT_EQ(on, 11);
  EXPECT_EQ(off, 9);
}

struct HugeShapeCase {
  const char* name;
  ShapeDrawer draw;
  ShapeBox box;
  int brush_pixels;  // of the 16 x 16 raster
};

TEST(ShapeRasterTest, HugeShapesAreClipped) {
  const int64_t kFar = 2000000000;
  const std::vector<HugeShapeCase> cases = {
      {"rectangle around the raster",
       DrawRectangle,
       {-kFar, -kFar, kFar, kFar},
       256},
      {"ellipse around the raster",
       DrawEllipse,
       {-kFar, -kFar, kFar, kFar},
       256},
      {"ellipse stepped, around the raster",
       DrawEllipse,
       {-5000, -5000, 5016, 5016},
       256},
      {"ellipse beside the raster", DrawEllipse, {-kFar, -kFar, 8, 8}, 0},
      {"rectangle far away",
       DrawRectangle,
       {kFar, kFar, kFar + 5, kFar + 5},
       0},
  };
  for (const HugeShapeCase& row : cases) {
    Raster raster(16, 16, kGrey);
    row.draw(raster, PenStroke(kBlack), kRed, row.box);
    int brush = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) brush += raster.At(x, y) == kRed;
    }
    EXPECT_EQ(brush, row.brush_pixels) << row.name;
  }
}

TEST(ShapeRasterTest, HugeEllipseMeetsTheMiddleOfItsLeftEdge) {
  Raster raster(16, 16, kGrey);
  DrawEllipse(raster, PenStroke(kBlack), kRed, {2, -39992, 80002, 40009});
  EXPECT_EQ(raster.At(1, 8), kGrey);
  EXPECT_EQ(raster.At(2, 8), kBlack);
  EXPECT_EQ(raster.At(3, 8), kRed);
}

TEST(ShapeRasterTest, HugeFlatEllipseShowsItsMiddleRows) {
  Raster raster(16, 16, kGrey);
  DrawEllipse(raster, PenStroke(kBlack), kRed,
              {-2000000000, 0, 2000000000, 16});
  for (int x = 0; x < 16; ++x) {
    EXPECT_EQ(raster.At(x, 8), kRed) << x;
    EXPECT_EQ(raster.At(x, 0), kBlack) << x;
  }
}

}  // namespace
