#include "platform/shape_raster.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/line_raster.h"

namespace {

// Beyond this width or height the midpoint stepping could overflow 64 bits
// and would take too long; such ellipses are computed row by row instead.
constexpr int64_t kMaxSteppedEllipse = int64_t{1} << 19;

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

// The midpoint stepping of one quadrant, from the middle of the right edge
// down to the bottom. REQUIRES: 2 < w, h <= kMaxSteppedEllipse.
void StepQuadrant(int64_t w, int64_t h, std::vector<QuadrantPoint>* points) {
  points->clear();
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
  while (x >= w / 2) {
    const int64_t e2 = 2 * err;
    points->push_back({x, y});
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
}

// Paints the outline from the quadrant's points mirrored four ways, once per
// pixel, in order around the ellipse so that a dot pattern runs on.
void StrokeOutline(Raster& raster, const Stroke& pen, const ShapeBox& box,
                   const std::vector<QuadrantPoint>& points) {
  const int64_t w = box.right - box.left;
  const int64_t h = box.bottom - box.top;
  int64_t step = 0;
  auto plot = [&](int64_t x, int64_t y) {
    PlotStroke(raster, pen, box.left + x, box.top + y, step++);
  };
  for (const QuadrantPoint& p : points) plot(p.x, p.y);
  for (auto p = points.rbegin(); p != points.rend(); ++p) {
    if (w - 1 - p->x != p->x) plot(w - 1 - p->x, p->y);
  }
  for (const QuadrantPoint& p : points) {
    if (w - 1 - p.x != p.x && h - 1 - p.y != p.y) {
      plot(w - 1 - p.x, h - 1 - p.y);
    }
  }
  for (auto p = points.rbegin(); p != points.rend(); ++p) {
    if (h - 1 - p->y != p->y) plot(p->x, h - 1 - p->y);
  }
}

// Fills each row strictly between its left and right outline pixels. The
// quadrant's last point on a row is the one nearest the middle.
void FillInside(Raster& raster, COLORREF brush, const ShapeBox& box,
                const std::vector<QuadrantPoint>& points) {
  const int64_t w = box.right - box.left;
  const int64_t h = box.bottom - box.top;
  for (size_t i = 0; i < points.size(); ++i) {
    if (i + 1 < points.size() && points[i + 1].y == points[i].y) continue;
    const int64_t x_right = box.left + points[i].x;
    const int64_t x_left = box.left + (w - 1 - points[i].x);
    const int64_t y = points[i].y;
    raster.FillRect(x_left + 1, box.top + y, x_right, box.top + y + 1, brush);
    if (h - 1 - y != y) {
      const int64_t mirrored = box.top + h - 1 - y;
      raster.FillRect(x_left + 1, mirrored, x_right, mirrored + 1, brush);
    }
  }
}

// An ellipse too large to step: each visible row and column solves the
// ellipse equation. The outline is solid and close to the stepped one.
void DrawLargeEllipse(Raster& raster, const Stroke& pen, COLORREF brush,
                      const ShapeBox& box) {
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
    PlotStroke(raster, solid, std::llround(cx - half), y, 0);
    PlotStroke(raster, solid, std::llround(cx + half), y, 0);
  }
  for (int64_t x = x_from; x < x_to; ++x) {
    const Real half = half_chord(x - cx, rx, ry);
    if (half < 0) continue;
    PlotStroke(raster, solid, x, std::llround(cy - half), 0);
    PlotStroke(raster, solid, x, std::llround(cy + half), 0);
  }
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
  if (w > kMaxSteppedEllipse || h > kMaxSteppedEllipse) {
    DrawLargeEllipse(raster, pen, brush, box);
    return;
  }
  // Reused between calls: a marker per data point allocates nothing.
  static thread_local std::vector<QuadrantPoint> points;
  StepQuadrant(w, h, &points);
  FillInside(raster, brush, box, points);
  StrokeOutline(raster, pen, box, points);
}
