#include "frame/markers.h"

#include "frame/gdi_guards.h"
#include "frame/numeric.h"
#include "platform/marker_run.h"

bool InsideAxes(const PlotFrame& frame, double x, double y) {
  // Written as inclusions so that a NaN coordinate is outside, not at 0.
  return x >= frame.x.origin && x <= frame.x.end && y >= frame.y.origin &&
         y <= frame.y.end;
}

namespace {

// Markers gathered before the platform draws them: a few pages, reused.
constexpr size_t kRunLength = 4096;

// The box of a circle of the given radius around (x, y).
RECT CircleBox(const PlotFrame& frame, double x, double y, int radius) {
  LONG sx = 0;
  LONG sy = 0;
  frame.WorldtoScreen(x, y, sx, sy);
  return RECT{sx - radius, sy - radius, sx + radius, sy + radius};
}

// The marker in `box` by the calls one by one: its own pen (and brush),
// the ellipse, both selected back and destroyed.
void DrawCircleInBox(CDC* dc, COLORREF outline, std::optional<COLORREF> fill,
                     const RECT& box) {
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, outline);
  if (!pen.ok()) return;
  std::optional<ScopedSelection> brush;
  if (fill) {
    brush.emplace(dc, CreateSolidBrush(*fill));
    if (!brush->ok()) return;
  }
  dc->Ellipse(box.left, box.top, box.right, box.bottom);
}

}  // namespace

bool DrawCircleMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                      COLORREF outline, int radius,
                      std::optional<COLORREF> fill) {
  if (!InsideAxes(frame, x, y)) return false;
  DrawCircleInBox(dc, outline, fill, CircleBox(frame, x, y, radius));
  return true;
}

CircleMarkerRun::CircleMarkerRun(CDC* dc, const PlotFrame& frame,
                                 COLORREF outline, int radius,
                                 std::optional<COLORREF> fill)
    : dc_(dc), frame_(frame), outline_(outline), radius_(radius), fill_(fill) {
  boxes_.reserve(kRunLength);
}

CircleMarkerRun::~CircleMarkerRun() { Flush(); }

bool CircleMarkerRun::Add(double x, double y) {
  if (!InsideAxes(frame_, x, y)) return false;
  boxes_.push_back(CircleBox(frame_, x, y, radius_));
  if (boxes_.size() == kRunLength) Flush();
  return true;
}

void CircleMarkerRun::Flush() {
  if (boxes_.empty()) return;
  const PenSpec pen{PS_SOLID, 1, outline_};
  const COLORREF* fill = fill_ ? &*fill_ : nullptr;
  if (!DrawMarkerRun(dc_, pen, fill, boxes_.data(), boxes_.size())) {
    for (const RECT& box : boxes_) DrawCircleInBox(dc_, outline_, fill_, box);
  }
  boxes_.clear();
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
