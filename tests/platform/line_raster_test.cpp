#include "platform/line_raster.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "platform/canvas_test_util.h"
#include "platform/raster.h"

namespace {

using Pixel = std::pair<int64_t, int64_t>;
using PixelSet = std::set<Pixel>;

PixelSet PixelsIn(const Raster& raster, COLORREF color) {
  PixelSet pixels;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      if (raster.At(x, y) == color) pixels.insert({x, y});
    }
  }
  return pixels;
}

Stroke SolidStroke(COLORREF color) {
  Stroke stroke;
  stroke.color = color;
  return stroke;
}

// The stepping exactly as the pixel notes state it, unclipped and literal:
// the oracle the clipped implementation must reproduce.
PixelSet ReferenceLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  int octant;
  if (dy > 0 && dx > 0) {
    octant = dx > dy ? 1 : 2;
  } else if (dy > 0) {
    octant = -dx > dy ? 4 : 3;
  } else if (dx < 0) {
    octant = -dx > -dy ? 5 : 6;
  } else {
    octant = dx > -dy ? 8 : 7;
  }
  const bool x_major = octant == 1 || octant == 4 || octant == 5 || octant == 8;
  const int64_t bias =
      (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const int64_t a = x_major ? adx : ady, b = x_major ? ady : adx;
  int64_t err = 2 * b - a, x = x0, y = y0;
  PixelSet pixels;
  for (int64_t i = 0; i < a; ++i) {
    pixels.insert({x, y});
    const bool minor_step = err + bias > 0;
    err += minor_step ? 2 * b - 2 * a : 2 * b;
    if (x_major) {
      x += sx;
      if (minor_step) y += sy;
    } else {
      y += sy;
      if (minor_step) x += sx;
    }
  }
  return pixels;
}

PixelSet Clipped(const PixelSet& pixels, const Raster& raster) {
  PixelSet inside;
  for (const Pixel& p : pixels) {
    if (raster.Contains(p.first, p.second)) inside.insert(p);
  }
  return inside;
}

struct LineCase {
  const char* name;
  int64_t x0, y0, x1, y1;
  PixelSet expected;  // before the shift by (2, 2) that keeps them inside
};

TEST(LineRasterTest, PaintsEachOctantWithItsBias) {
  const std::vector<LineCase> cases = {
      {"octant 1, midpoint takes smaller y",
       0,
       0,
       4,
       1,
       {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},
      {"octant 2, midpoint takes smaller x",
       0,
       0,
       1,
       4,
       {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
      {"octant 3", 5, 0, 4, 4, {{5, 0}, {5, 1}, {4, 2}, {4, 3}}},
      {"octant 4", 4, 0, 0, 1, {{4, 0}, {3, 0}, {2, 0}, {1, 1}}},
      {"octant 5", 4, 1, 0, 0, {{4, 1}, {3, 1}, {2, 0}, {1, 0}}},
      {"octant 6", 1, 4, 0, 0, {{1, 4}, {1, 3}, {0, 2}, {0, 1}}},
      {"octant 7", 0, 4, 1, 0, {{0, 4}, {0, 3}, {0, 2}, {1, 1}}},
      {"octant 8", 0, 1, 4, 0, {{0, 1}, {1, 1}, {2, 0}, {3, 0}}},
      {"|dx| = |dy|", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {"horizontal", 0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {"vertical upwards", 0, 3, 0, 0, {{0, 3}, {0, 2}, {0, 1}}},
      {"to its own start", 2, 2, 2, 2, {}},
  };
  for (const LineCase& row : cases) {
    Raster raster(12, 12, kGrey);
    DrawLine(raster, SolidStroke(kBlack), row.x0 + 2, row.y0 + 2, row.x1 + 2,
             row.y1 + 2, 0);
    PixelSet expected;
    for (const Pixel& p : row.expected) {
      expected.insert({p.first + 2, p.second + 2});
    }
    EXPECT_EQ(PixelsIn(raster, kBlack), expected) << row.name;
  }
}

TEST(LineRasterTest, MatchesLiteralSteppingAndIsSymmetric) {
  // Every line between points of a grid that reaches past a 10 x 10 raster
  // on all sides, so clipping at every edge is covered too.
  for (int64_t x0 = -4; x0 <= 13; ++x0) {
    for (int64_t y0 = -4; y0 <= 13; ++y0) {
      for (int64_t x1 = -4; x1 <= 13; ++x1) {
        for (int64_t y1 = -4; y1 <= 13; ++y1) {
          Raster forward(10, 10, kGrey), backward(10, 10, kGrey);
          DrawLine(forward, SolidStroke(kBlack), x0, y0, x1, y1, 0);
          DrawLine(backward, SolidStroke(kBlack), x1, y1, x0, y0, 0);
          PixelSet a_to_b = PixelsIn(forward, kBlack);
          PixelSet b_to_a = PixelsIn(backward, kBlack);
          ASSERT_EQ(a_to_b, Clipped(ReferenceLine(x0, y0, x1, y1), forward))
              << x0 << "," << y0 << " -> " << x1 << "," << y1;
          // Apart from the excluded end the two directions agree.
          a_to_b.insert({x1, y1});
          b_to_a.insert({x0, y0});
          ASSERT_EQ(Clipped(a_to_b, forward), Clipped(b_to_a, forward))
              << x0 << "," << y0 << " <-> " << x1 << "," << y1;
        }
      }
    }
  }
}

TEST(LineRasterTest, ReturnsTheStepsOfTheWholeLine) {
  Raster raster(4, 4, kGrey);
  EXPECT_EQ(DrawLine(raster, SolidStroke(kBlack), -100, 1, 100, 3, 0), 200);
  EXPECT_EQ(DrawLine(raster, SolidStroke(kBlack), 0, 0, 0, 0, 0), 0);
}

struct HugeCase {
  const char* name;
  int64_t x0, y0, x1, y1;
  // Whether the line paints a visible pixel: 1 yes, 0 no, -1 not checked.
  int (*on_line)(int x, int y);
};

TEST(LineRasterTest, ClipsHugeCoordinatesWithoutStepping) {
  const int64_t kFar = 2000000000;
  const std::vector<HugeCase> cases = {
      {"horizontal across", -kFar, 5, kFar, 5,
       [](int, int y) { return int{y == 5}; }},
      {"diagonal", -kFar, -kFar, kFar, kFar,
       [](int x, int y) { return int{x == y}; }},
      {"diagonal backwards", kFar, kFar, -kFar, -kFar,
       [](int x, int y) { return int{x == y}; }},
      // Only even columns of a half slope sit exactly on a pixel row.
      {"slope one half", -kFar, -kFar / 2, kFar, kFar / 2,
       [](int x, int y) { return x % 2 != 0 ? -1 : int{y == x / 2}; }},
      {"beyond 32 bits", -(int64_t{1} << 40), 3, int64_t{1} << 40, 3,
       [](int, int y) { return int{y == 3}; }},
      {"far outside", -kFar, -kFar, kFar, -kFar + 7,
       [](int, int) { return 0; }},
  };
  for (const HugeCase& row : cases) {
    Raster raster(16, 16, kGrey);
    DrawLine(raster, SolidStroke(kBlack), row.x0, row.y0, row.x1, row.y1, 0);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const int expected = row.on_line(x, y);
        if (expected < 0) continue;
        EXPECT_EQ(int{raster.At(x, y) == kBlack}, expected)
            << row.name << " at " << x << "," << y;
      }
    }
  }
}

struct DotCase {
  const char* name;
  bool opaque;
  int width;
  int64_t first_step;
  const char* expected;  // X pen, o background colour, ' ' untouched
};

TEST(LineRasterTest, DotsThreeOnThreeOff) {
  const std::vector<DotCase> cases = {
      {"opaque gaps painted", true, 1, 0, "XXXoooXXXoooXX  \n"},
      {"transparent gaps untouched", false, 1, 0, "XXX   XXX   XX  \n"},
      {"pattern continued from step 4", true, 1, 4, "ooXXXoooXXXooo  \n"},
      {"wide dotted pen is solid", true, 2, 0, "XXXXXXXXXXXXXXX \n"},
  };
  for (const DotCase& row : cases) {
    Raster raster(16, 3, kGrey);
    Stroke stroke = SolidStroke(kBlack);
    stroke.dotted = row.width == 1;
    stroke.width = row.width;
    stroke.paint_gaps = row.opaque;
    stroke.gap_color = kWhite;
    DrawLine(raster, stroke, 0, 1, 14, 1, row.first_step);
    EXPECT_EQ(
        Grid(RasterView(raster), 0, 1, 16, 1, {{kBlack, 'X'}, {kWhite, 'o'}}),
        row.expected)
        << row.name;
  }
}

TEST(LineRasterTest, WidePenPaintsASquarePerPixel) {
  Raster raster(8, 5, kGrey);
  Stroke stroke = SolidStroke(kBlack);
  stroke.width = 3;
  DrawLine(raster, stroke, 2, 2, 5, 2, 0);
  EXPECT_EQ(Grid(RasterView(raster), 0, 0, 8, 5, {{kBlack, 'X'}}),
            "        \n"
            " XXXXX  \n"
            " XXXXX  \n"
            " XXXXX  \n"
            "        \n");
}

}  // namespace
