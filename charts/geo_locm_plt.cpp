#include "charts/geo_locm_plt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "frame/draw_pass.h"
#include "frame/gdi_guards.h"
#include "frame/markers.h"
#include "frame/numeric.h"
#include "frame/variogram_frame.h"
#include "siblings/ravlin.h"

namespace {

constexpr FrameStyle kLocalMeanFrame =
    FrameStyle().Left(50).Top(15).Right(10).Bottom(25);
constexpr PenSpec kBluePassPen{PS_SOLID, 1, kBlue};
constexpr char kRampName[] = "Contour";
constexpr int kSampleRadius = 4;

// Which sample coordinates a plane maps, and the letters naming its axes.
enum Coordinate { kX, kY, kZ };
struct PlaneView {
  Coordinate horizontal;
  Coordinate vertical;
  const char* horizontal_name;
  const char* vertical_name;
};
constexpr PlaneView kPlaneViews[] = {
    {kX, kY, "X", "Y"},  // plane 0
    {kY, kZ, "Y", "Z"},  // plane 1
    {kX, kZ, "X", "Z"},  // plane 2
};

// Returns the view of planes 0, 1 and 2; other planes map nothing.
std::optional<PlaneView> ViewOf(int plane) {
  if (plane < 0 || plane > 2) return std::nullopt;
  return kPlaneViews[plane];
}

double CoordinateOf(double x, double y, double z, Coordinate c) {
  return c == kX ? x : (c == kY ? y : z);
}

// Returns value rounded to single precision; values beyond the float range
// give the nearest finite bound (NaN stays NaN).
float ToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::max();
  if (value < -kMax) return std::numeric_limits<float>::lowest();
  return static_cast<float>(value);
}

// Returns 255 / (maximum - minimum) in single precision, or 0 for a window
// without width (or an infinite one), so that every value maps to index 0.
float ColorScaleFor(float minimum, float maximum) {
  const float width = maximum - minimum;
  if (width == 0.0f || !std::isfinite(width)) return 0.0f;
  const float scale = static_cast<float>(255.0 / width);
  return std::isfinite(scale) ? scale : 0.0f;
}

// Rows y0 .. y1 - 1, each a line from x0 to x1 in its own pen, shading from
// `start` to `end` in single-precision steps.
void FillGradient(CDC* dc, LONG x0, LONG y0, LONG x1, LONG y1, COLORREF start,
                  COLORREF end) {
  const LONG rows = y1 - y0;
  if (rows <= 0) return;
  const float n = static_cast<float>(rows);
  const float d_red = static_cast<float>(GetRValue(end) - GetRValue(start)) / n;
  const float d_green =
      static_cast<float>(GetGValue(end) - GetGValue(start)) / n;
  const float d_blue =
      static_cast<float>(GetBValue(end) - GetBValue(start)) / n;
  for (LONG t = 0; t < rows; ++t) {
    const float ft = static_cast<float>(t);
    const COLORREF color = RGB(
        static_cast<BYTE>(GetRValue(start) + static_cast<int>(ft * d_red)),
        static_cast<BYTE>(GetGValue(start) + static_cast<int>(ft * d_green)),
        static_cast<BYTE>(GetBValue(start) + static_cast<int>(ft * d_blue)));
    ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, color);
    if (!pen.ok()) return;
    dc->MoveTo(x0, y0 + t);
    dc->LineTo(x1, y0 + t);
  }
}

}  // namespace

CGeoLocmPlt::CGeoLocmPlt() : frame_(kLocalMeanFrame) {}

CGeoLocmPlt::~CGeoLocmPlt() = default;

uint16_t CGeoLocmPlt::ScaleComponent(uint16_t component) {
  return static_cast<uint16_t>(component * 255 / 65536);
}

void CGeoLocmPlt::CptLocmParam() {
  color_scale_ = 0.0f;
  float_minimum_ = ToFloat(window_.minimum);
  float_maximum_ = ToFloat(window_.maximum);
  std::memset(request_, 0, sizeof(request_));
  std::memset(color_table_, 0, sizeof(color_table_));
  ravlin_extra_ = 0;
  std::memcpy(request_, kRampName, sizeof(kRampName));
  _rvColorTable(request_, &color_table_[0][0], &ravlin_extra_);
  color_scale_ = ColorScaleFor(float_minimum_, float_maximum_);
}

void CGeoLocmPlt::DrawLocmPlt(CWnd* map, CWnd* legend) {
  frame_.window = map;
  legend_ = legend;
  frame_.CalcPlotRect();
  CalcScale();
  Redraw();
  ReadLegendRect();
  DrawLegend();
}

void CGeoLocmPlt::CalcScale() {
  const std::optional<PlaneView> view = ViewOf(plane_);
  if (!view) return;  // other planes keep the last scale
  const auto box = [&](const KVD_3DOT& corner, Coordinate c) {
    return CoordinateOf(corner.x, corner.y, corner.z, c);
  };
  frame_.CalcScale(box(box_min_, view->horizontal),
                   box(box_max_, view->horizontal),
                   box(box_min_, view->vertical), box(box_max_, view->vertical),
                   OriginRule::kFloored);
}

void CGeoLocmPlt::Redraw() {
  frame_.Repaint();
  if (!ViewOf(plane_) || !frame_.CanDraw()) return;
  DrawPlane(plane_);
}

void CGeoLocmPlt::DrawPlane(int plane) {
  if (samples_.samples == nullptr) return;
  const std::optional<PlaneView> view = ViewOf(plane);
  if (!view) return;
  DrawPassScope scope(frame_, kBluePassPen);
  if (!scope) return;
  CDC* dc = scope.dc();
  DrawAxes(dc, kBlack, view->horizontal_name, view->vertical_name);
  for (LONG i = 0; i < samples_.count; ++i) {
    const KvDiscPnt& sample = samples_.samples[i];
    if (sample.value > window_.maximum || sample.value < window_.minimum) {
      continue;
    }
    if (!SetCurrentColor(sample.value)) continue;
    DrawSamplePoint(
        dc, CoordinateOf(sample.x, sample.y, sample.z, view->horizontal),
        CoordinateOf(sample.x, sample.y, sample.z, view->vertical));
  }
}

bool CGeoLocmPlt::SetCurrentColor(double value) {
  const double scaled = (value - float_minimum_) * color_scale_;
  if (!std::isfinite(scaled)) return false;
  // The truncated product, held to the table: the caller draws only samples
  // inside the window, and single-precision limits can put one of them just
  // below 0 or at 256, whose low 8 bits would paint the minimum in the
  // colour of the maximum and the maximum in that of the minimum.
  last_index_ = static_cast<uint8_t>(std::clamp<LONG>(ToPixel(scaled), 0, 255));
  for (int c = 0; c < 3; ++c) {
    current_color_[c] = ScaleComponent(color_table_[last_index_][c]);
  }
  return true;
}

void CGeoLocmPlt::DrawSamplePoint(CDC* dc, double x, double y) const {
  const COLORREF color = RGB(static_cast<BYTE>(current_color_[0]),
                             static_cast<BYTE>(current_color_[1]),
                             static_cast<BYTE>(current_color_[2]));
  DrawCircleMarker(dc, frame_, x, y, color, kSampleRadius, color);
}

void CGeoLocmPlt::DrawAxes(CDC* dc, COLORREF color, const char* horizontal_name,
                           const char* vertical_name) const {
  dc->SetBkMode(TRANSPARENT);
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, color);
  if (!pen.ok()) return;
  const AxisScale& h = frame_.x;
  const AxisScale& v = frame_.y;
  // Data-unit offsets: (a, b) 8 pixels for ticks and arrows, (c, d) 5 and 4
  // pixels for labels.
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;
  frame_.PixelOffsets(8, 8, a, b);
  frame_.LabelOffsets(c, d);

  DrawWorldLine(dc, frame_, h.origin, v.origin, h.end, v.origin);
  DrawWorldLine(dc, frame_, h.end, v.origin, h.end - a, v.origin - b / 3);
  DrawWorldLine(dc, frame_, h.end, v.origin, h.end - a, v.origin + b / 3);
  DrawWorldLine(dc, frame_, h.origin, v.origin, h.origin, v.end);
  DrawWorldLine(dc, frame_, h.origin, v.end, h.origin - a / 3, v.end - b);
  DrawWorldLine(dc, frame_, h.origin, v.end, h.origin + a / 3, v.end - b);

  dc->SetTextAlign(TA_CENTER | TA_TOP);
  frame_.DrawLabel(dc, h.origin, v.origin - d, kLabelHeight, 0,
                   FormatNumber(h.origin));
  frame_.DrawLabel(dc, h.end, v.origin - d, kLabelHeight, 0, horizontal_name);
  // The ticks stop before the axis end. A tick beyond one more than the step
  // count is past the end whatever the rounding: the count bounds the loop.
  const long long h_ticks = static_cast<long long>(h.StepCount()) + 1;
  for (long long k = 1; k <= h_ticks; ++k) {
    const double t = h.origin + k * h.step;
    if (!(t < h.end)) break;
    DrawWorldLine(dc, frame_, t, v.origin, t, v.origin + b);
    for (int n = 4; n >= 1; --n) {
      const double minor = t - n * h.step / 5;
      DrawWorldLine(dc, frame_, minor, v.origin, minor, v.origin + b / 2);
    }
    if (k % 2 == 0) {
      frame_.DrawLabel(dc, t, v.origin - d, kLabelHeight, 0, FormatNumber(t));
    }
  }

  dc->SetTextAlign(TA_RIGHT | TA_TOP);
  frame_.DrawLabel(dc, h.origin - c, v.origin + 2 * d, kLabelHeight, 0,
                   FormatNumber(v.origin));
  frame_.DrawLabel(dc, h.origin - c, v.end + 2 * d, kLabelHeight, 0,
                   vertical_name);
  const long long v_ticks = static_cast<long long>(v.StepCount()) + 1;
  for (long long k = 1; k <= v_ticks; ++k) {
    const double t = v.origin + k * v.step;
    if (!(t < v.end)) break;
    DrawWorldLine(dc, frame_, h.origin, t, h.origin + a, t);
    for (int n = 4; n >= 1; --n) {
      const double minor = t - n * v.step / 5;
      DrawWorldLine(dc, frame_, h.origin, minor, h.origin + a / 2, minor);
    }
    if (k % 2 == 0) {
      frame_.DrawLabel(dc, h.origin - c, t + 2 * d, kLabelHeight, 0,
                       FormatNumber(t));
    }
  }
}

void CGeoLocmPlt::ReadLegendRect() {
  if (legend_ == nullptr) return;
  RECT rect{};
  if (GetClientRect(legend_->GetSafeHwnd(), &rect)) legend_rect_ = rect;
}

void CGeoLocmPlt::DrawLegend() const {
  if (legend_ == nullptr) return;
  WindowDC legend_dc(legend_);
  if (!legend_dc) return;
  // Red at the top through yellow, green and cyan to blue at the bottom.
  constexpr COLORREF kStops[] = {RGB(255, 0, 0), RGB(255, 255, 0),
                                 RGB(0, 255, 0), RGB(0, 255, 255),
                                 RGB(0, 0, 255)};
  // Band edges in 64 bits: T + k * D / 4 with integer division.
  const long long top = legend_rect_.top;
  const long long span = static_cast<long long>(legend_rect_.bottom) - top;
  for (int band = 0; band < 4; ++band) {
    const LONG y0 = SaturateToLong(top + band * span / 4);
    const LONG y1 = band == 3 ? legend_rect_.bottom
                              : SaturateToLong(top + (band + 1) * span / 4);
    FillGradient(legend_dc.dc(), legend_rect_.right, y0, legend_rect_.left, y1,
                 kStops[band], kStops[band + 1]);
  }
}
