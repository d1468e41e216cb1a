#include "frame/plot_frame.h"

#include <cmath>

#include "frame/gdi_guards.h"
#include "frame/numeric.h"

namespace {

// A floored origin: trunc(min / step) steps, one lower for a negative minimum.
double FlooredOrigin(double minimum, double step) {
  // Adding 0.0 turns a truncated -0 into 0, as an integer step count would.
  const double k = minimum >= -0.00001 ? std::trunc(minimum / step) + 0.0
                                       : std::trunc(minimum / step - 1.0);
  return k * step;
}

}  // namespace

LONG AxisScale::StepCount() const {
  if (!(step > 0.0)) return 0;
  return ToPixel(range / step);
}

LONG AxisScale::RoundedStepCount() const {
  if (!(step > 0.0)) return 0;
  return ToPixel(range / step + 0.5);
}

bool AxisScale::IsUsable() const {
  return std::isfinite(range) && range > 0.0 && std::isfinite(step) &&
         step > 0.0 && std::isfinite(origin) && std::isfinite(end) &&
         std::isfinite(pixels_per_unit) && pixels_per_unit > 0.0;
}

void PlotFrame::CalcPlotRect() {
  if (window == nullptr) return;
  RECT rect{};
  if (!GetClientRect(window->GetSafeHwnd(), &rect)) return;
  client = rect;
  const long long width = static_cast<long long>(rect.right) - rect.left;
  const long long height = static_cast<long long>(rect.bottom) - rect.top;
  long long bottom_margin = style_.bottom_margin;
  if (style_.bottom_per_width != 0) {
    // A zero-width client area has no bottom margin; nothing draws there.
    bottom_margin = width > 0 ? height * style_.bottom_per_width / width : 0;
  }
  plot.left =
      SaturateToLong(rect.left + static_cast<long long>(style_.left_margin));
  plot.top =
      SaturateToLong(rect.top + static_cast<long long>(style_.top_margin));
  plot.right =
      SaturateToLong(rect.right - static_cast<long long>(style_.right_margin));
  plot.bottom = SaturateToLong(rect.bottom - bottom_margin);
}

void PlotFrame::CalcScale(double min_x, double max_x, double min_y,
                          double max_y, OriginRule rule) {
  x.range = max_x - min_x;
  y.range = max_y - min_y;
  if (x.range < 0.0) x.range = y.range;
  if (y.range < 0.0) y.range = x.range;
  CalcNiceStep(x.range, x.step);
  CalcNiceStep(y.range, y.step);
  if (rule == OriginRule::kFloored) {
    x.origin = x.step > 0.0 ? FlooredOrigin(min_x, x.step) : min_x;
    y.origin = y.step > 0.0 ? FlooredOrigin(min_y, y.step) : min_y;
  } else {
    x.origin = min_x;
    y.origin = min_y;
  }
  x.end = x.origin + x.range;
  y.end = y.origin + y.range;
  UpdatePixelsPerUnit();
}

void PlotFrame::UpdatePixelsPerUnit() {
  x.pixels_per_unit = static_cast<double>(PlotWidth()) / x.range;
  y.pixels_per_unit = static_cast<double>(PlotHeight()) / y.range;
}

LONG PlotFrame::PlotWidth() const {
  return SaturateToLong(static_cast<long long>(plot.right) - plot.left);
}

LONG PlotFrame::PlotHeight() const {
  return SaturateToLong(static_cast<long long>(plot.bottom) - plot.top);
}

void PlotFrame::WorldtoScreen(double wx, double wy, LONG& sx, LONG& sy) const {
  sx = ToPixel((wx - x.origin) * x.pixels_per_unit);
  sy = SaturateToLong(static_cast<long long>(PlotHeight()) -
                      ToPixel((wy - y.origin) * y.pixels_per_unit));
}

void PlotFrame::ScreentoWorld(LONG sx, LONG sy, double& wx, double& wy) const {
  const long long from_bottom = static_cast<long long>(PlotHeight()) - sy;
  wx = sx / x.pixels_per_unit + x.origin;
  wy = static_cast<double>(from_bottom) / y.pixels_per_unit + y.origin;
}

void PlotFrame::PixelOffsets(LONG pixels_x, LONG pixels_y, double& dx,
                             double& dy) const {
  double ox = 0.0;
  double oy = 0.0;
  ScreentoWorld(pixels_x, PlotHeight() - pixels_y, ox, oy);
  dx = ox - x.origin;
  dy = oy - y.origin;
}

bool PlotFrame::CanDraw() const {
  return window != nullptr && PlotWidth() > 0 && PlotHeight() > 0 &&
         x.IsUsable() && y.IsUsable();
}

void PlotFrame::Repaint() const {
  if (window == nullptr) return;
  InvalidateRect(window->GetSafeHwnd(), nullptr, TRUE);
  UpdateWindow(window->GetSafeHwnd());
}

void PlotFrame::DrawLabel(CDC* dc, double wx, double wy, int height,
                          int escapement, const std::string& text) const {
  const int width = style_.narrow_labels ? (height - 4) / 2 : 0;
  ScopedSelection font = SelectNewFont(dc, height, width, escapement);
  if (!font.ok()) return;
  LONG sx = 0;
  LONG sy = 0;
  WorldtoScreen(wx, wy, sx, sy);
  dc->TextOut(sx, sy, text.c_str(), static_cast<int>(text.size()));
}

void PlotFrame::DrawFrameRect(CDC* dc, COLORREF color) const {
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, color);
  if (!pen.ok()) return;
  const LONG width = PlotWidth();
  const LONG height = PlotHeight();
  dc->Rectangle(0, 0, width, height);
  if (style_.diagonal) {
    dc->MoveTo(0, height);
    dc->LineTo(width, 0);
  }
}

void PlotFrame::DrawGrid(CDC* dc) const {
  if (style_.grid == GridStyle::kNone) return;
  const bool dotted = style_.grid == GridStyle::kDotted;
  ScopedSelection pen = SelectNewPen(dc, dotted ? PS_DOT : PS_SOLID, 1,
                                     dotted ? kGridGrey : kDarkGrey);
  if (!pen.ok()) return;
  LONG sx = 0;
  LONG sy = 0;
  const LONG nx = x.StepCount();
  for (LONG i = 1; i < nx; ++i) {
    const double wx = x.origin + i * x.step;
    WorldtoScreen(wx, y.origin, sx, sy);
    dc->MoveTo(sx, sy);
    WorldtoScreen(wx, y.end, sx, sy);
    dc->LineTo(sx, sy);
  }
  if (!dotted) return;
  const LONG ny = y.RoundedStepCount();
  for (LONG j = 1; j < ny; ++j) {
    const double wy = y.origin + j * y.step;
    WorldtoScreen(x.origin, wy, sx, sy);
    dc->MoveTo(sx, sy);
    WorldtoScreen(x.end, wy, sx, sy);
    dc->LineTo(sx, sy);
  }
}

void PlotFrame::DrawStandardLabels(CDC* dc, const std::string& x_name,
                                   const std::string& y_name) const {
  dc->SetBkMode(TRANSPARENT);
  double dx = 0.0;
  double dy = 0.0;
  LabelOffsets(dx, dy);

  dc->SetTextAlign(TA_CENTER | TA_TOP);
  DrawLabel(dc, x.end, y.origin - dy, kLabelHeight, 0, x_name);
  const LONG nx = x.StepCount();
  DrawLabel(dc, x.origin, y.origin - dy, kLabelHeight, 0,
            FormatNumber(x.origin));
  for (LONG i = 2; i < nx; i += 2) {
    const double wx = x.origin + i * x.step;
    DrawLabel(dc, wx, y.origin - dy, kLabelHeight, 0, FormatNumber(wx));
  }

  // Doubling dy centres a 15-pixel label about its grid line.
  dc->SetTextAlign(TA_RIGHT | TA_TOP);
  dy *= 2.0;
  DrawLabel(dc, x.origin - dx, y.end + dy, kLabelHeight, 0, y_name);
  const LONG ny = y.RoundedStepCount();
  DrawLabel(dc, x.origin - dx, y.origin + dy, kLabelHeight, 0,
            FormatNumber(y.origin));
  for (LONG j = 2; j < ny; j += 2) {
    const double wy = y.origin + j * y.step;
    DrawLabel(dc, x.origin - dx, wy + dy, kLabelHeight, 0, FormatNumber(wy));
  }
}

void PlotFrame::DrawAxes(CDC* dc, COLORREF frame_color,
                         const std::string& x_name,
                         const std::string& y_name) const {
  DrawFrameRect(dc, frame_color);
  DrawGrid(dc);
  DrawStandardLabels(dc, x_name, y_name);
}
