#include "frame/markers.h"

#include "frame/gdi_guards.h"
#include "frame/numeric.h"

bool InsideAxes(const PlotFrame& frame, double x, double y) {
  // Written as inclusions so that a NaN coordinate is outside, not at 0.
  return x >= frame.x.origin && x <= frame.x.end && y >= frame.y.origin &&
         y <= frame.y.end;
}

bool DrawCircleMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                      COLORREF outline, int radius,
                      std::optional<COLORREF> fill) {
  if (!InsideAxes(frame, x, y)) return false;
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, outline);
  if (!pen.ok()) return false;
  std::optional<ScopedSelection> brush;
  if (fill) {
    brush.emplace(dc, CreateSolidBrush(*fill));
    if (!brush->ok()) return false;
  }
  LONG sx = 0;
  LONG sy = 0;
  frame.WorldtoScreen(x, y, sx, sy);
  dc->Ellipse(sx - radius, sy - radius, sx + radius, sy + radius);
  return true;
}

void StrokeCross(CDC* dc, LONG sx, LONG sy) {
  // Saturated so that a position near the 32-bit bounds cannot overflow.
  const auto at = [](LONG base, int offset) {
    return SaturateToLong(static_cast<long long>(base) + offset);
  };
  dc->MoveTo(at(sx, 3), at(sy, -3));
  dc->LineTo(at(sx, -4), at(sy, 4));
  dc->MoveTo(at(sx, -3), at(sy, -3));
  dc->LineTo(at(sx, 4), at(sy, 4));
}

bool DrawCrossMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                     COLORREF color, CPoint* position) {
  if (!InsideAxes(frame, x, y)) return false;
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, color);
  if (!pen.ok()) return false;
  LONG sx = 0;
  LONG sy = 0;
  frame.WorldtoScreen(x, y, sx, sy);
  if (position != nullptr) *position = CPoint(sx, sy);
  StrokeCross(dc, sx, sy);
  return true;
}
