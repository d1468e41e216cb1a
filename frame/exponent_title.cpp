#include "frame/exponent_title.h"

#include <string>

#include "frame/numeric.h"

namespace {

constexpr int kTitleHeight = 15;
constexpr int kExponentHeight = 10;
constexpr char kPowerOfTen[] = ", 10";

}  // namespace

void DrawExponentTitle(CDC* dc, const PlotFrame& frame, const std::string& name,
                       LONG exponent) {
  double dx = 0.0;
  double dy = 0.0;
  frame.PixelOffsets(5, 4, dx, dy);
  const std::string title = name + kPowerOfTen;
  // No text metrics here: the title's width is estimated at 7.5 pixels per
  // character, converted to data units through the mapping.
  const long long length = static_cast<long long>(title.size());
  const LONG width_pixels = SaturateToLong(kTitleHeight * length / 2);
  double right_x = 0.0;
  double unused_y = 0.0;
  frame.ScreentoWorld(width_pixels, 0, right_x, unused_y);
  const double tw = right_x - frame.x.origin;

  const double title_x =
      frame.x.origin + (frame.x.end - frame.x.origin - dx) * 0.5;
  frame.DrawLabel(dc, title_x, frame.y.origin - 5.0 * dy, kTitleHeight, 0,
                  title);
  frame.DrawLabel(dc, title_x + tw * 0.5, frame.y.origin - 4.0 * dy,
                  kExponentHeight, 0, std::to_string(exponent));
}

void DrawYPowerOfTen(CDC* dc, const PlotFrame& frame, double x, double y,
                     LONG exponent) {
  frame.DrawLabel(dc, x, y, kTitleHeight, 0, "10");
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
  frame.PixelOffsets(5, 4, dx, dy);
  const LONG nx = frame.x.StepCount();
  for (LONG i = 0; i < nx; ++i) {
    const double wx = frame.x.origin + i * frame.x.step;
    frame.DrawLabel(dc, wx, frame.y.origin - dy, kTitleHeight, 0,
                    FormatNumber(wx / factor));
  }
}

void DrawExponentXAxis(CDC* dc, const PlotFrame& frame, COLORREF frame_color,
                       const std::string& name, double& factor) {
  LONG exponent = 0;
  CalcAxisExponent(frame.x.end, frame.x.origin, factor, exponent);
  frame.DrawFrameRect(dc, frame_color);
  frame.DrawGrid(dc);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextAlign(TA_CENTER | TA_TOP);
  DrawExponentTitle(dc, frame, name, exponent);
  DrawEveryStepXLabels(dc, frame, factor);
}
