#include "platform/shape_raster.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/line_raster.h"

namespace {

// Beyond this width or height the stepped outline would take long and much
// memory (and, far beyond, overflow 64 bits); such ellipses are solved row
// by row over the visible area instead.
constexpr int64_t kMaxSteppedEllipse = int64_t{1} << 14;

ShapeBox Normalized(ShapeBox box) {
  if (box.left > box.right) std::swap(box.left, box.right);
  if (box.top > box.bottom) std::swap(box.top, box.bottom);
  return box;
}

bool MissesRaster(const Raster& raster, const ShapeBox& box, int64_t margin) {
  return box.right + margin <= 0 || box.bottom + margin <= 0 ||
         box.left - margin >= raster.width() ||
         box.top - margin >= raster.height();
}

// A point of the ellipse's lower-right quadrant, relative to the box corner.
struct QuadrantPoint {
  int64_t x, y;
};

// Ellipses up to this size are built once and kept.
constexpr int64_t kMaxCachedEllipse = 64;

// More points than the stepping can make: every step moves x or y inward.
size_t PointCapacity(int64_t w, int64_t h) {
  return static_cast<size_t>(w + h + 4);
}

// The midpoint stepping of one quadrant, from the middle of the right edge
// down to the bottom; returns the number of points written.
// REQUIRES: 2 < w, h <= kMaxSteppedEllipse.
size_t StepQuadrant(int64_t w, int64_t h, QuadrantPoint* points,
                    size_t capacity) {
  size_t count = 0;
  const int64_t a = w - 1;
  const int64_t b = h - 1;
  const int64_t b_odd = b % 2;
  const int64_t asq = 8 * a * a;
  const int64_t bsq = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + b_odd);
  int64_t err = dx + dy + a * a * b_odd;
  int64_t x = a;
  int64_t y = h / 2;
  while (x >= w / 2 && count < capacity) {
    const int64_t e2 = 2 * err;
    points[count++] = {x, y};
    if (e2 >= dx) {
      --x;
      dx += bsq;
      err += dx;
    }
    if (e2 <= dy) {
      ++y;
      dy += asq;
      err += dy;
    }
  }
  return count;
}

}  // namespace

// An ellipse of one size relative to its box's top-left corner: the rows of
// its fill and its outline pixels in order around it.
struct RowSpan {
  int32_t y, x_begin, x_end;
};
struct OutlinePixel {
  int32_t x, y;
};
struct EllipseShape {
  int64_t w = -1;
  int64_t h = -1;
  std::vector<RowSpan> fill;
  std::vector<OutlinePixel> outline;
  // The same pixels as offsets from the corner in a raster of this stride.
  int64_t stride = -1;
  std::vector<int64_t> fill_offsets;
  std::vector<int64_t> outline_offsets;

  void SetStride(int64_t new_stride) {
    stride = new_stride;
    fill_offsets.clear();
    outline_offsets.clear();
    for (const RowSpan& span : fill) {
      for (int64_t x = span.x_begin; x < span.x_end; ++x) {
        fill_offsets.push_back(span.y * stride + x);
      }
    }
    for (const OutlinePixel& p : outline) {
      outline_offsets.push_back(p.y * stride + p.x);
    }
  }
};

namespace {

// Steps the quadrant and mirrors it. The fill of a row lies strictly between
// its left and right outline pixels (the quadrant's last point on a row is
// the one nearest the middle); the outline takes each pixel once, in order
// around the ellipse, so that a dot pattern runs on.
[[gnu::noinline]]  // rare: keeps the marker path small
void BuildEllipseShape(int64_t w, int64_t h, EllipseShape* shape) {
  std::vector<QuadrantPoint> points(PointCapacity(w, h));
  points.resize(StepQuadrant(w, h, points.data(), points.size()));
  shape->w = w;
  shape->h = h;
  shape->stride = -1;
  shape->fill.clear();
  shape->outline.clear();
  auto narrow = [](int64_t v) { return static_cast<int32_t>(v); };
  for (size_t i = 0; i < points.size(); ++i) {
    if (i + 1 < points.size() && points[i + 1].y == points[i].y) continue;
    const int64_t x_begin = w - points[i].x;  // right of the left pixel
    const int64_t x_end = points[i].x;
    if (x_begin >= x_end) continue;
    const int64_t y = points[i].y;
    shape->fill.push_back({narrow(y), narrow(x_begin), narrow(x_end)});
    if (h - 1 - y != y) {
      shape->fill.push_back(
          {narrow(h - 1 - y), narrow(x_begin), narrow(x_end)});
    }
  }
  auto add = [&](int64_t x, int64_t y) {
    shape->outline.push_back({narrow(x), narrow(y)});
  };
  for (const QuadrantPoint& p : points) add(p.x, p.y);
  for (auto p = points.rbegin(); p != points.rend(); ++p) {
    if (w - 1 - p->x != p->x) add(w - 1 - p->x, p->y);
  }
  for (const QuadrantPoint& p : points) {
    if (w - 1 - p.x != p.x && h - 1 - p.y != p.y) add(w - 1 - p.x, h - 1 - p.y);
  }
  for (auto p = points.rbegin(); p != points.rend(); ++p) {
    if (h - 1 - p->y != p->y) add(p->x, h - 1 - p->y);
  }
}

// Shapes of recent small sizes, built once: a chart draws a marker of one
// size per data point. The platform runs on its host's one drawing thread.
constexpr size_t kCachedShapes = 16;
// Set once the cache exists; its construction stays out of the marker path,
// which then keeps its values in registers.
EllipseShape* the_cache = nullptr;

[[gnu::noinline, gnu::cold]] EllipseShape* MakeShapeCache() {
  static auto* const cache = new EllipseShape[kCachedShapes];  // never freed
  the_cache = cache;
  return cache;
}

EllipseShape* ShapeCache() {
  EllipseShape* const cache = the_cache;
  return __builtin_expect(cache != nullptr, 1) ? cache : MakeShapeCache();
}

EllipseShape& CachedEntry(int64_t w, int64_t h) {
  return ShapeCache()[static_cast<size_t>(w * 31 + h) % kCachedShapes];
}

[[gnu::noinline]]  // rare: keeps the marker path small
EllipseShape&
RebuildCachedShape(int64_t w, int64_t h) {
  EllipseShape& entry = CachedEntry(w, h);
  BuildEllipseShape(w, h, &entry);
  return entry;
}

EllipseShape& CachedEllipseShape(int64_t w, int64_t h) {
  EllipseShape& entry = CachedEntry(w, h);
  return entry.w == w && entry.h == h ? entry : RebuildCachedShape(w, h);
}

// Readies the cached shape for rows of this stride.
[[gnu::noinline]]  // rare: keeps the marker path small
const EllipseShape*
PrepareShape(int64_t w, int64_t h, int64_t stride) {
  EllipseShape& shape = CachedEllipseShape(w, h);
  shape.SetStride(stride);
  return &shape;
}

// Paints through the stroke's rules: clipping, dots, width.
[[gnu::noinline]]  // keeps the marker path small
void PaintClippedEllipseShape(Raster& raster, const Stroke& pen,
                              COLORREF brush, const ShapeBox& box,
                              const EllipseShape& shape) {
  const PixelView pixels = raster.View();
  for (const RowSpan& span : shape.fill) {
    pixels.FillRect(box.left + span.x_begin, box.top + span.y,
                    box.left + span.x_end, box.top + span.y + 1, brush);
  }
  const Stroke stroke = pen;
  int64_t step = 0;
  for (const OutlinePixel& p : shape.outline) {
    PlotStroke(pixels, stroke, box.left + p.x, box.top + p.y, step++);
  }
}

// An ellipse too large to step: each visible row and column solves the
// ellipse equation. The outline is solid and close to the stepped one.
void DrawLargeEllipse(Raster& raster, const Stroke& pen, COLORREF brush,
                      const ShapeBox& box) {
  const PixelView pixels = raster.View();
  using Real = long double;
  const Real cx = (box.left + box.right - 1) / Real{2};
  const Real cy = (box.top + box.bottom - 1) / Real{2};
  const Real rx = (box.right - box.left - 1) / Real{2};
  const Real ry = (box.bottom - box.top - 1) / Real{2};
  const int64_t margin = pen.Margin();
  Stroke solid = pen;
  solid.dotted = false;
  // Half of the chord at distance d from the centre, across radius r.
  auto half_chord = [](Real d, Real r, Real across) {
    const Real v = d / r;
    return v * v > 1 ? Real{-1} : across * std::sqrt(1 - v * v);
  };
  const int64_t y_from = std::max(box.top, -margin);
  const int64_t y_to = std::min(box.bottom, raster.height() + margin);
  const int64_t x_from = std::max(box.left, -margin);
  const int64_t x_to = std::min(box.right, raster.width() + margin);
  for (int64_t y = y_from; y < y_to; ++y) {
    const Real half = half_chord(y - cy, ry, rx);
    if (half < 0) continue;
    raster.FillRect(std::llround(cx - half) + 1, y, std::llround(cx + half),
                    y + 1, brush);
  }
  for (int64_t y = y_from; y < y_to; ++y) {
    const Real half = half_chord(y - cy, ry, rx);
    if (half < 0) continue;
    PlotStroke(pixels, solid, std::llround(cx - half), y, 0);
    PlotStroke(pixels, solid, std::llround(cx + half), y, 0);
  }
  for (int64_t x = x_from; x < x_to; ++x) {
    const Real half = half_chord(x - cx, rx, ry);
    if (half < 0) continue;
    PlotStroke(pixels, solid, x, std::llround(cy - half), 0);
    PlotStroke(pixels, solid, x, std::llround(cy + half), 0);
  }
}

// Ellipses beyond the cache: built for the call, or solved row by row.
[[gnu::noinline]]  // keeps the marker path small
void DrawUncachedEllipse(Raster& raster, const Stroke& pen, COLORREF brush,
                         const ShapeBox& box) {
  const int64_t w = box.right - box.left;
  const int64_t h = box.bottom - box.top;
  if (w > kMaxSteppedEllipse || h > kMaxSteppedEllipse) {
    DrawLargeEllipse(raster, pen, brush, box);
    return;
  }
  EllipseShape shape;
  BuildEllipseShape(w, h, &shape);
  PaintClippedEllipseShape(raster, pen, brush, box, shape);
}

}  // namespace

void DrawRectangle(Raster& raster, const Stroke& pen, COLORREF brush,
                   ShapeBox box) {
  box = Normalized(box);
  const int64_t w = box.right - box.left;
  const int64_t h = box.bottom - box.top;
  if (w == 0 || h == 0 || MissesRaster(raster, box, pen.Margin())) return;
  raster.FillRect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1,
                  brush);
  // Clockwise from the top-left corner, each border pixel once.
  const int64_t l = box.left, t = box.top;
  const int64_t r = box.right - 1, b = box.bottom - 1;
  int64_t step = DrawLine(raster, pen, l, t, r + 1, t, 0);
  step += DrawLine(raster, pen, r, t + 1, r, b + 1, step);
  if (h > 1) step += DrawLine(raster, pen, r - 1, b, l - 1, b, step);
  if (w > 1) DrawLine(raster, pen, l, b - 1, l, t, step);
}

void DrawEllipse(Raster& raster, const Stroke& pen, COLORREF brush,
                 ShapeBox box) {
  box = Normalized(box);
  const int64_t w = box.right - box.left;
  const int64_t h = box.bottom - box.top;
  if (w <= 2 || h <= 2) {
    DrawRectangle(raster, pen, brush, box);
    return;
  }
  if (MissesRaster(raster, box, pen.Margin())) return;
  const bool plain_pen = pen.width == 1 && !pen.dotted;
  if (plain_pen && DrawSmallEllipseInside(raster, pen.color, brush, box.left,
                                          box.top, box.right, box.bottom)) {
    return;
  }
  if (w <= kMaxCachedEllipse && h <= kMaxCachedEllipse) {
    PaintClippedEllipseShape(raster, pen, brush, box, CachedEllipseShape(w, h));
    return;
  }
  DrawUncachedEllipse(raster, pen, brush, box);
}

const EllipseShape* FindSmallEllipseInside(Raster& raster, int64_t left,
                                           int64_t top, int64_t right,
                                           int64_t bottom, COLORREF** corner) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const int64_t w = right - left;
  const int64_t h = bottom - top;
  if (w <= 2 || h <= 2 || w > kMaxCachedEllipse || h > kMaxCachedEllipse ||
      left < 0 || top < 0 || right > raster.width() ||
      bottom > raster.height()) {
    return nullptr;
  }
  const PixelView pixels = raster.View();
  *corner = pixels.data + top * pixels.width + left;
  const EllipseShape& shape = CachedEntry(w, h);
  if (shape.w != w || shape.h != h || shape.stride != pixels.width) {
    return PrepareShape(w, h, pixels.width);
  }
  return &shape;
}

int WriteSmallEllipse(const EllipseShape& shape, COLORREF* corner,
                      COLORREF pen_color, COLORREF brush) {
  for (int64_t offset : shape.fill_offsets) corner[offset] = brush;
  for (int64_t offset : shape.outline_offsets) corner[offset] = pen_color;
  return 1;
}

bool DrawSmallEllipseInside(Raster& raster, COLORREF pen_color, COLORREF brush,
                            int64_t left, int64_t top, int64_t right,
                            int64_t bottom) {
  COLORREF* corner = nullptr;
  const EllipseShape* shape =
      FindSmallEllipseInside(raster, left, top, right, bottom, &corner);
  if (shape == nullptr) return false;
  WriteSmallEllipse(*shape, corner, pen_color, brush);
  return true;
}
