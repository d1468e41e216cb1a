#include "frame/exponent_title.h"

#include <string>

#include "frame/numeric.h"

namespace {

constexpr int kExponentHeight = 10;
constexpr char kPowerOfTen[] = ", 10";

}  // namespace

void DrawExponentTitle(CDC* dc, const PlotFrame& frame,
                       const AxisTitleMetrics& metrics, const std::string& name,
                       LONG exponent) {
  double dx = 0.0;
  double dy = 0.0;
  frame.LabelOffsets(dx, dy);
  const std::string title = name + kPowerOfTen;
  // The estimated width in pixels, converted to data units by the mapping.
  const long long characters =
      static_cast<long long>(title.size()) + metrics.extra_characters;
  double tw = 0.0;
  double unused = 0.0;
  frame.PixelOffsets(
      SaturateToLong(characters * metrics.pixels_per_two_characters / 2), 0, tw,
      unused);
  // Whole label steps keep the title where the offsets of the labels put it.
  const double steps = (metrics.depth - kLabelHeight) / kLabelGapY;

  const double title_x =
      frame.x.origin + (frame.x.end - frame.x.origin - dx) * 0.5;
  frame.DrawLabel(dc, title_x, frame.y.origin - steps * dy, kLabelHeight, 0,
                  title);
  frame.DrawLabel(dc, title_x + tw * 0.5, frame.y.origin - (steps - 1.0) * dy,
                  kExponentHeight, 0, std::to_string(exponent));
}

void DrawYPowerOfTen(CDC* dc, const PlotFrame& frame, double x, double y,
                     LONG exponent) {
  frame.DrawLabel(dc, x, y, kLabelHeight, 0, "10");
  double gap = 0.0;
  double unused = 0.0;
  frame.PixelOffsets(1, 0, gap, unused);
  dc->SetTextAlign(TA_LEFT | TA_TOP);
  frame.DrawLabel(dc, x + gap, y, kExponentHeight, 0, std::to_string(exponent));
  dc->SetTextAlign(TA_RIGHT | TA_TOP);
}

void DrawEveryStepXLabels(CDC* dc, const PlotFrame& frame, double factor) {
  double dx = 0.0;
  double dy = 0.0;
  frame.LabelOffsets(dx, dy);
  const LONG nx = frame.x.StepCount();
  for (LONG i = 0; i < nx; ++i) {
    const double wx = frame.x.origin + i * frame.x.step;
    frame.DrawLabel(dc, wx, frame.y.origin - dy, kLabelHeight, 0,
                    FormatNumber(wx / factor));
  }
}

void DrawExponentXAxis(CDC* dc, const PlotFrame& frame, COLORREF frame_color,
                       const AxisTitleMetrics& title, const std::string& name,
                       double& factor) {
  LONG exponent = 0;
  CalcAxisExponent(frame.x.end, frame.x.origin, factor, exponent);
  frame.DrawFrameRect(dc, frame_color);
  frame.DrawGrid(dc);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextAlign(TA_CENTER | TA_TOP);
  DrawExponentTitle(dc, frame, title, name, exponent);
  DrawEveryStepXLabels(dc, frame, factor);
}
