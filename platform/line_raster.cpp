#include "platform/line_raster.h"

#include <algorithm>

namespace {

__extension__ typedef __int128 Int128;

// Coordinates below this bound keep every product of the clipping in 64 bits.
constexpr int64_t kNarrowBound = int64_t{1} << 28;

// One line in major/minor form: pixel i is at major m0 + sm * i and minor
// n0 + sn * k(i), where k(i) = floor((2 b i + a - 1 + bias) / (2 a)) is the
// number of minor steps Bresenham has taken before pixel i.
struct LineGeometry {
  bool x_major;
  int64_t bias;
  int64_t a;  // |major delta| > 0
  int64_t b;  // |minor delta| <= a
  int64_t m0, n0, sm, sn;
};

// The octants and their bias as the platform defines them: lines with
// |dx| = |dy| are y-major; the bias decides which pixel a midpoint takes.
int Octant(int64_t dx, int64_t dy) {
  if (dy > 0) return dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  return dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
}

LineGeometry Classify(int64_t x0, int64_t y0, int64_t dx, int64_t dy) {
  const int octant = Octant(dx, dy);
  LineGeometry g;
  g.x_major = octant == 1 || octant == 4 || octant == 5 || octant == 8;
  g.bias = LineTieBias(dx, dy);
  const int64_t major = g.x_major ? dx : dy;
  const int64_t minor = g.x_major ? dy : dx;
  g.a = major < 0 ? -major : major;
  g.b = minor < 0 ? -minor : minor;
  g.sm = major < 0 ? -1 : 1;
  g.sn = minor < 0 ? -1 : 1;
  g.m0 = g.x_major ? x0 : y0;
  g.n0 = g.x_major ? y0 : x0;
  return g;
}

template <typename Int>
Int FloorDiv(Int n, Int d) {  // REQUIRES: d > 0
  Int q = n / d;
  if (n % d != 0 && n < 0) --q;
  return q;
}

template <typename Int>
Int CeilDiv(Int n, Int d) {
  return -FloorDiv<Int>(-n, d);
}

// The offsets t >= 0 with start + sign * t inside [lo, hi].
template <typename Int>
void ClipOffsets(Int start, Int sign, Int lo, Int hi, Int* t_lo, Int* t_hi) {
  *t_lo = std::max<Int>(*t_lo, sign > 0 ? lo - start : start - hi);
  *t_hi = std::min<Int>(*t_hi, sign > 0 ? hi - start : start - lo);
}

// Finds the pixels [*first, *last] of the line inside the expanded area and
// the Bresenham state at the first one. Returns false when none is inside.
template <typename Int>
bool ClipLine(const LineGeometry& g, int64_t major_size, int64_t minor_size,
              int64_t margin, int64_t* first, int64_t* last, int64_t* k_first,
              int64_t* err_first) {
  const Int a = g.a, b = g.b, bias = g.bias;
  Int i_lo = 0, i_hi = a - 1;
  ClipOffsets<Int>(g.m0, g.sm, -margin, major_size - 1 + margin, &i_lo, &i_hi);
  Int k_lo = 0, k_hi = a;  // the minor steps allowed
  ClipOffsets<Int>(g.n0, g.sn, -margin, minor_size - 1 + margin, &k_lo, &k_hi);
  if (k_lo > k_hi) return false;
  if (b == 0) {
    if (k_lo > 0) return false;
  } else {
    i_lo =
        std::max<Int>(i_lo, CeilDiv<Int>(2 * a * k_lo - a + 1 - bias, 2 * b));
    i_hi = std::min<Int>(i_hi,
                         FloorDiv<Int>(2 * a * (k_hi + 1) - a - bias, 2 * b));
  }
  if (i_lo > i_hi) return false;
  const Int k = FloorDiv<Int>(2 * b * i_lo + a - 1 + bias, 2 * a);
  *first = static_cast<int64_t>(i_lo);
  *last = static_cast<int64_t>(i_hi);
  *k_first = static_cast<int64_t>(k);
  *err_first = static_cast<int64_t>(2 * b * (i_lo + 1) - a - 2 * a * k);
  return true;
}

bool IsNarrow(int64_t value) {
  return value > -kNarrowBound && value < kNarrowBound;
}

}  // namespace

int64_t LineTieBias(int64_t dx, int64_t dy) {
  const int octant = Octant(dx, dy);
  return (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
}

int64_t DrawLine(Raster& raster, const Stroke& pen, int64_t x0, int64_t y0,
                 int64_t x1, int64_t y1, int64_t first_step) {
  if (x0 == x1 && y0 == y1) return 0;
  const LineGeometry g = Classify(x0, y0, x1 - x0, y1 - y0);
  const int64_t major_size = g.x_major ? raster.width() : raster.height();
  const int64_t minor_size = g.x_major ? raster.height() : raster.width();
  const int64_t margin = pen.Margin();
  int64_t first, last, k, err;
  const bool narrow =
      IsNarrow(x0) && IsNarrow(y0) && IsNarrow(x1) && IsNarrow(y1);
  const bool visible = narrow
                           ? ClipLine<int64_t>(g, major_size, minor_size,
                                               margin, &first, &last, &k, &err)
                           : ClipLine<Int128>(g, major_size, minor_size, margin,
                                              &first, &last, &k, &err);
  if (!visible) return g.a;
  const PixelView pixels = raster.View();
  const Stroke stroke = pen;
  const int64_t minor_step = 2 * g.b;
  const int64_t both_step = 2 * g.b - 2 * g.a;
  for (int64_t i = first; i <= last; ++i) {
    const int64_t major = g.m0 + g.sm * i;
    const int64_t minor = g.n0 + g.sn * k;
    if (g.x_major) {
      PlotStroke(pixels, stroke, major, minor, first_step + i);
    } else {
      PlotStroke(pixels, stroke, minor, major, first_step + i);
    }
    if (err + g.bias > 0) {
      ++k;
      err += both_step;
    } else {
      err += minor_step;
    }
  }
  return g.a;
}
