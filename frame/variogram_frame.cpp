#include "frame/variogram_frame.h"

#include <cmath>

#include "frame/exponent_title.h"
#include "frame/gdi_guards.h"
#include "frame/numeric.h"

namespace {

constexpr LONG kTickPixels = 5;

// The title 24 pixels below the axis, its width taken as 5.5 pixels per
// character and two more.
constexpr AxisTitleMetrics kVariogramAxisTitle = [] {
  AxisTitleMetrics title;
  title.depth = 39;
  title.pixels_per_two_characters = 11;
  title.extra_characters = 2;
  return title;
}();

}  // namespace

VariogramExtents SummarizeVariogramExtents(const std::vector<double>& gammas,
                                           const std::vector<double>& lags,
                                           int sill_flag, double sill) {
  VariogramExtents extents;
  // ArrayMax of an empty list is -9999, not an extent: nothing counts as 0.
  if (!gammas.empty()) {
    const LONG count = SaturateToLong(static_cast<long long>(gammas.size()));
    extents.largest_gamma = ArrayMax(gammas.data(), count);
    extents.smallest_gamma = ArrayMin(gammas.data(), count);
  }
  if (!lags.empty()) {
    extents.largest_lag = ArrayMax(
        lags.data(), SaturateToLong(static_cast<long long>(lags.size())));
  }
  if (sill_flag == 1 && extents.largest_gamma < sill) {
    extents.largest_gamma = sill;
  }
  return extents;
}

void CalcVariogramScale(PlotFrame& frame, const VariogramExtents& extents) {
  const double largest = extents.largest_gamma;
  const double smallest = extents.smallest_gamma;
  AxisScale& x = frame.x;
  AxisScale& y = frame.y;
  x.range = extents.largest_lag;
  y.range = smallest < 0.0 ? largest - smallest : largest;
  if (!(x.range > 0.0)) x.range = y.range;
  if (!(y.range > 0.0)) y.range = x.range;
  CalcNiceStep(x.range, x.step);
  CalcNiceStep(y.range, y.step);

  x.origin = 0.0;
  x.end = x.range;
  if (smallest >= 0.0) {
    // One step of headroom above the widened range.
    y.origin = 0.0;
    y.range += y.step;
    y.end = y.range;
  } else {
    // One step below the truncated minimum, up to the largest value itself.
    y.origin = y.step > 0.0 ? y.step * (std::trunc(smallest / y.step) - 1.0)
                            : smallest;
    y.range = largest - y.origin;
    y.end = y.origin + y.range;
  }
  if (x.range > 0.0 && y.range > 0.0) {
    frame.UpdatePixelsPerUnit();
  } else {
    x.pixels_per_unit = 0.0;
    y.pixels_per_unit = 0.0;
  }
}

AxisFactors CalcAxisFactors(const PlotFrame& frame) {
  AxisFactors factors;
  CalcAxisExponent(frame.x.end, frame.x.origin, factors.x_factor,
                   factors.x_exponent);
  CalcAxisExponent(frame.y.end, frame.y.origin, factors.y_factor,
                   factors.y_exponent);
  return factors;
}

void DrawTickFrame(CDC* dc, const PlotFrame& frame, COLORREF frame_color) {
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, frame_color);
  if (!pen.ok()) return;
  dc->Rectangle(0, 0, frame.PlotWidth(), frame.PlotHeight());

  const AxisScale& x = frame.x;
  const AxisScale& y = frame.y;
  double tx = 0.0;
  double ty = 0.0;
  frame.PixelOffsets(kTickPixels, kTickPixels, tx, ty);
  const LONG nx = x.StepCount();
  for (LONG i = 1; i < nx; ++i) {
    const double wx = x.origin + i * x.step;
    DrawWorldLine(dc, frame, wx, y.origin, wx, y.origin + ty);
    DrawWorldLine(dc, frame, wx, y.end, wx, y.end - ty);
  }
  const LONG ny = y.RoundedStepCount();
  for (LONG j = 1; j < ny; ++j) {
    const double wy = y.origin + j * y.step;
    DrawWorldLine(dc, frame, x.origin, wy, x.origin + tx, wy);
    DrawWorldLine(dc, frame, x.end, wy, x.end - tx, wy);
  }
}

void DrawFactorLabels(CDC* dc, const PlotFrame& frame,
                      const AxisFactors& factors, const std::string& x_name,
                      const std::string& y_name, XTickLabels x_labels) {
  const AxisScale& x = frame.x;
  const AxisScale& y = frame.y;
  dc->SetBkMode(TRANSPARENT);
  double ax = 0.0;
  double ay = 0.0;
  frame.LabelOffsets(ax, ay);

  dc->SetTextAlign(TA_CENTER | TA_TOP);
  DrawExponentTitle(dc, frame, kVariogramAxisTitle, x_name, factors.x_exponent);
  frame.DrawLabel(dc, x.origin, y.origin - ay, kLabelHeight, 0,
                  FormatNumber(x.origin / factors.x_factor));
  const LONG nx = x.StepCount();
  const LONG x_stride = x_labels == XTickLabels::kEveryTick ? 1 : 2;
  for (LONG i = x_stride; i < nx; i += x_stride) {
    const double wx = x.origin + i * x.step;
    frame.DrawLabel(dc, wx, y.origin - ay, kLabelHeight, 0,
                    FormatNumber(wx / factors.x_factor));
  }

  dc->SetTextAlign(TA_RIGHT | TA_TOP);
  const double mid = y.origin;
  const double span = y.end - y.origin;
  const double title_x = x.origin - 6.0 * ax;
  frame.DrawLabel(dc, title_x, mid + (span + 8.0 * ay) * 0.5, kLabelHeight, 0,
                  y_name);
  frame.DrawLabel(dc, title_x, mid + (span + 3.0 * ay) * 0.5, kLabelHeight, 0,
                  ",");
  DrawYPowerOfTen(dc, frame, title_x, mid + (span - 5.0 * ay) * 0.5,
                  factors.y_exponent);
  frame.DrawLabel(dc, x.origin - ax, y.origin + 2.0 * ay, kLabelHeight, 0,
                  FormatNumber(y.origin / factors.y_factor));
  const LONG ny = y.RoundedStepCount();
  for (LONG j = 2; j < ny; j += 2) {
    const double wy = y.origin + j * y.step;
    frame.DrawLabel(dc, x.origin - ax, wy + 2.0 * ay, kLabelHeight, 0,
                    FormatNumber(wy / factors.y_factor));
  }
}

AxisFactors DrawTickAxes(CDC* dc, const PlotFrame& frame, COLORREF frame_color,
                         const std::string& x_name, const std::string& y_name,
                         XTickLabels x_labels) {
  const AxisFactors factors = CalcAxisFactors(frame);
  DrawTickFrame(dc, frame, frame_color);
  DrawFactorLabels(dc, frame, factors, x_name, y_name, x_labels);
  return factors;
}

void DrawWorldLine(CDC* dc, const PlotFrame& frame, double x1, double y1,
                   double x2, double y2) {
  LONG sx = 0;
  LONG sy = 0;
  frame.WorldtoScreen(x1, y1, sx, sy);
  dc->MoveTo(sx, sy);
  frame.WorldtoScreen(x2, y2, sx, sy);
  dc->LineTo(sx, sy);
}

CPoint RecordedToClient(const PlotFrame& frame, const CPoint& position) {
  const FrameStyle& style = frame.style();
  return CPoint(
      SaturateToLong(static_cast<long long>(position.x) + style.left_margin),
      SaturateToLong(static_cast<long long>(position.y) + style.top_margin));
}

void DrawRecordedLine(CDC* dc, const PlotFrame& frame,
                      const std::vector<CPoint>& points) {
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    const CPoint from = RecordedToClient(frame, points[k]);
    const CPoint to = RecordedToClient(frame, points[k + 1]);
    dc->MoveTo(from.x, from.y);
    dc->LineTo(to.x, to.y);
  }
}
