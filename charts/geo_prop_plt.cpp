#include "charts/geo_prop_plt.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "frame/draw_pass.h"
#include "frame/exponent_title.h"
#include "frame/markers.h"
#include "frame/numeric.h"
#include "frame/variogram_frame.h"
#include "siblings/korvalib.h"

namespace {

constexpr FrameStyle kProbabilityFrame =
    kTitledAxisFrame.Grid(GridStyle::kSolidVertical);
constexpr PenSpec kPassPen{PS_SOLID, 1, kDarkGrey};

// The axis probabilities as single-precision values widened to double.
constexpr float kLevels[CGeoPropPlt::kLevelCount] = {
    0.0001f, 0.001f, 0.002f, 0.01f, 0.02f,  0.05f,  0.1f,
    0.2f,    0.3f,   0.4f,   0.5f,  0.6f,   0.7f,   0.8f,
    0.9f,    0.95f,  0.98f,  0.99f, 0.998f, 0.999f, 0.9999f};

// Engine settings repeated at every compute step.
constexpr int kLogarithmicAxis = 3;

}  // namespace

CGeoPropPlt::CGeoPropPlt() : frame_(kProbabilityFrame) {
  for (int k = 0; k < kLevelCount; ++k) probabilities_[k] = kLevels[k];
}

CGeoPropPlt::~CGeoPropPlt() = default;

void CGeoPropPlt::CptPropParam() {
  const int handle = engine_.get();
  if (handle == 0 || samples_.samples == nullptr) return;
  // A negative count loads nothing rather than sizing an array from it.
  const LONG n = std::max<LONG>(samples_.count, 0);
  // The previous pairs go first, so a failed allocation leaves none.
  std::vector<double>().swap(output_);
  has_output_ = false;
  output_count_ = 0;
  try {
    output_.assign(2 * static_cast<size_t>(n), 0.0);
  } catch (const std::bad_alloc&) {
    return;
  }
  has_output_ = true;

  const double minimum = window_.minimum;
  const double maximum = window_.maximum;
  _kvLoadDiscPnts(handle, samples_.samples, n, kPrimarySet);
  _kvSetDataExtr(handle, minimum, maximum);
  _kvSetProbPntNum(handle, n);
  _kvSetLogFlag(handle, 1, kLogarithmicAxis);
  _kvSetAttrExtr(handle, minimum, maximum, kValueAxis, kTailFactor);
  _kvSetScale(handle, kEngineScale);
  _kvSetThoryData(handle, minimum, 0.0, maximum, 1.0);
  _kvSetProbValue(handle, probabilities_, kLevelCount);
  _kvDrawProbPlt(handle);
  LONG count = 0;
  _kvOutPropPltParam(handle, positions_, output_.data(), &count);
  // The pairs array holds n pairs whatever count the engine reports.
  output_count_ = std::clamp<LONG>(count, 0, n);
}

void CGeoPropPlt::OutPutPropPnt(double* positions, double* values,
                                double* value_positions) const {
  if (positions != nullptr) {
    std::copy(positions_, positions_ + kLevelCount, positions);
  }
  for (LONG i = 0; i < output_count_; ++i) {
    const size_t pair = 2 * static_cast<size_t>(i);
    if (values != nullptr) values[i] = output_[pair];
    if (value_positions != nullptr) value_positions[i] = output_[pair + 1];
  }
}

void CGeoPropPlt::DrawPropPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  CalcScale();
  Redraw();
}

void CGeoPropPlt::CalcScale() {
  AxisScale& x = frame_.x;
  AxisScale& y = frame_.y;
  x.range = window_.maximum - window_.minimum;
  y.range = positions_[kLevelCount - 1] - positions_[0];
  if (x.range < 0.0) x.range = y.range;
  if (y.range < 0.0) y.range = x.range;
  // Only X is stepped: the probability axis runs from the lowest level on
  // the bottom edge to the highest on the top edge.
  CalcNiceStep(x.range, x.step);
  y.step = 0.0;
  x.origin = window_.minimum;
  x.end = x.origin + x.range;
  y.origin = positions_[0];
  y.end = y.origin + y.range;
  if (x.range > 0.0 && y.range > 0.0) {
    frame_.UpdatePixelsPerUnit();
  } else {
    x.pixels_per_unit = 0.0;
    y.pixels_per_unit = 0.0;
  }
}

bool CGeoPropPlt::CanDraw() const {
  // The probability axis has no step, so only its mapping is checked.
  const AxisScale& y = frame_.y;
  return frame_.window != nullptr && frame_.PlotWidth() > 0 &&
         frame_.PlotHeight() > 0 && frame_.x.IsUsable() &&
         std::isfinite(y.origin) && std::isfinite(y.end) &&
         std::isfinite(y.pixels_per_unit) && y.pixels_per_unit > 0.0;
}

void CGeoPropPlt::Redraw() {
  frame_.Repaint();
  if (!(std::fabs(frame_.x.range) >= kTiny &&
        std::fabs(frame_.y.range) >= kTiny)) {
    return;
  }
  if (!CanDraw()) return;
  RunPass(&CGeoPropPlt::DrawAxes);
  RunPass(&CGeoPropPlt::DrawPoints);
  RunPass(&CGeoPropPlt::DrawLevelLines);  // over the points
}

template <typename Pass>
void CGeoPropPlt::RunPass(Pass pass) {
  if (has_output_) RunChartPass(frame_, kPassPen, this, pass);
}

void CGeoPropPlt::DrawAxes(CDC* dc) {
  const AxisScale& x = frame_.x;
  DrawExponentXAxis(dc, frame_, kBlack, kTitledAxisTitle, names_.x.str(),
                    label_factor_);
  double dx = 0.0;
  double dy = 0.0;
  frame_.LabelOffsets(dx, dy);

  // The levels in per cent, right-aligned left of the frame with their tops
  // 8 pixels above their lines; the probability axis has no name.
  dc->SetTextAlign(TA_RIGHT | TA_TOP);
  for (int k = 0; k < kLevelCount; ++k) {
    frame_.DrawLabel(dc, x.origin - dx, positions_[k] + 2.0 * dy, kLabelHeight,
                     0, FormatNumber(100.0 * probabilities_[k]));
  }
}

void CGeoPropPlt::DrawPoints(CDC* dc) const {
  for (LONG i = 0; i < output_count_; ++i) {
    const size_t pair = 2 * static_cast<size_t>(i);
    DrawCircleMarker(dc, frame_, output_[pair], output_[pair + 1], kBlue,
                     kPointMarkerRadius);
  }
}

void CGeoPropPlt::DrawLevelLines(CDC* dc) const {
  // Across the full plot width, in the pass pen.
  const double left = window_.minimum;
  const double right = window_.minimum + frame_.x.range;
  for (int k = 0; k < kLevelCount; ++k) {
    DrawWorldLine(dc, frame_, left, positions_[k], right, positions_[k]);
  }
}
