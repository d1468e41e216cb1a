#include "charts/geo_hist_plt.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "base/buffer.h"
#include "frame/draw_pass.h"
#include "frame/exponent_title.h"
#include "frame/gdi_guards.h"
#include "frame/numeric.h"
#include "frame/variogram_frame.h"
#include "siblings/korvalib.h"
#include "siblings/tallyx.h"

namespace {

constexpr FrameStyle kHistogramFrame =
    kTitledAxisFrame.Grid(GridStyle::kDotted).NarrowLabels();
constexpr PenSpec kPassPen{PS_SOLID, 1, RGB(225, 0, 0)};

// Engine settings the compute step repeats every time. The reference value
// is a single-precision constant widened to double.
constexpr int kDecimals = 2;
constexpr double kNoReferenceValue = static_cast<double>(-1.1e21f);

// The most classes a compute step takes (or the sample count when larger):
// the result array and the engine's tables grow with the class count alone.
constexpr LONG kMaxClasses = 1000000;

// Returns value clamped to [0, limit].
LONG ClampCount(long long value, long long limit) {
  return static_cast<LONG>(std::max(0LL, std::min(value, limit)));
}

}  // namespace

CGeoHistPlt::CGeoHistPlt() : frame_(kHistogramFrame) {}

CGeoHistPlt::~CGeoHistPlt() = default;

LONG CGeoHistPlt::CptHistParam(LONG& r1, LONG& r2, double& r3, double& r4,
                               double& r5, double& r6, double& r7, double& r8,
                               double& r9, double& r10, double& r11,
                               double& r12) {
  const double minimum = window_.minimum;
  const double maximum = window_.maximum;
  // The negated comparison also refuses a window with a NaN bound.
  const LONG count = std::max<LONG>(points_.count, 0);
  if (points_.samples == nullptr || engine_.get() == 0 ||
      !(maximum > minimum) || class_count_ > std::max(kMaxClasses, count)) {
    return 0;
  }
  try {
    // Reserved, not zeroed: only the k values inside are written.
    kvbase::Buffer<double> in_window;
    in_window.reserve(static_cast<size_t>(count));
    for (LONG i = 0; i < count; ++i) {
      const double v = points_.samples[i].value;
      if (minimum <= v && v <= maximum) in_window.push_back(v);  // NaN is out
    }
    const LONG k = static_cast<LONG>(in_window.size());
    if (k == 0) return 0;

    CTallyx tally(in_window.data(), k);
    r10 = tally.AlterDifCoe();
    r11 = tally.ApexDegree();
    r12 = tally.DeflectDegree();
    // The statistics are read: the values go back before the engine takes its own copy of the values.
    kvbase::Buffer<double>().swap(in_window);

    // The previous results go first, so a failed allocation leaves none.
    std::vector<double>().swap(result_);
    has_result_ = false;
    // Class frequencies take C + 1 entries, cumulative values at most k.
    const long long length = std::max<long long>(
        kind_ == 0 ? 0 : k, static_cast<long long>(class_count_) + 1);
    result_.assign(static_cast<size_t>(length), 0.0);

    const int handle = engine_.get();
    _kvSetDataExtr(handle, minimum, maximum);
    _kvLoadDiscPnts(handle, points_.samples, points_.count, kPrimarySet);
    _kvSetAttrExtr(handle, minimum, maximum, kValueAxis, kTailFactor);
    _kvSetFreqExtr(handle, 0.0);
    _kvSetClassNum(handle, class_count_);
    _kvSetLogFlag(handle, 0, kValueAxis);
    _kvSetCumHistFlag(handle, kind_);
    _kvSetQuanNum(handle, quantile_count_);
    _kvSetDecNum(handle, kDecimals);
    _kvSetRefVal(handle, kNoReferenceValue);
    _kvSetScale(handle, kEngineScale);
    _kvSetThoryData(handle, minimum, 0.0, maximum, 1.0);
    _kvDrawHistPlt(handle);
    _kvOutHistPltParam(handle, &r1, &r2, &r3, &r4, &r5, &r6, &r7, &r8, &r9,
                       result_.data(), &max_frequency_);
    output_count_ = r1;
    has_result_ = true;
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

LONG CGeoHistPlt::FrequencyPointCount() const {
  if (!has_result_) return 0;
  // Entry 0 is not a class: class g lives in entry g + 1.
  return ClampCount(class_count_, static_cast<long long>(result_.size()) - 1);
}

LONG CGeoHistPlt::CumulativePointCount() const {
  if (!has_result_) return 0;
  const LONG n = quantile_count_ > 1 && quantile_count_ < output_count_
                     ? quantile_count_
                     : output_count_;
  return ClampCount(n, static_cast<long long>(result_.size()));
}

LONG CGeoHistPlt::OutputPointCount() const {
  return kind_ == 0 ? FrequencyPointCount() : CumulativePointCount();
}

void CGeoHistPlt::OutPutHistPntNum(LONG& count) const {
  count = OutputPointCount();
}

void CGeoHistPlt::OutPutHistPnt(double* first, double* second) const {
  if (first == nullptr || second == nullptr) return;
  const LONG n = OutputPointCount();
  if (n == 0) return;  // also keeps a class count of 0 from dividing
  if (kind_ == 0) {
    const double width = (window_.maximum - window_.minimum) / class_count_;
    for (LONG i = 0; i < n; ++i) {
      first[i] = window_.minimum + (i + 0.5) * width;
      second[i] = result_[i + 1];
    }
  } else {
    for (LONG i = 0; i < n; ++i) {
      first[i] = (i + 0.5) / n;
      second[i] = result_[i];
    }
  }
}

void CGeoHistPlt::DrawHistPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  CalcScale();
  Redraw();
}

void CGeoHistPlt::CalcScale() {
  // The class width is taken before the X range is widened to nice steps.
  const double x_range = window_.maximum - window_.minimum;
  class_width_ = class_count_ != 0 ? x_range / class_count_ : 0.0;
  frame_.CalcScale(window_.minimum, window_.maximum, 0.0, max_frequency_,
                   OriginRule::kDataMinimum);
}

void CGeoHistPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  if (!(std::fabs(frame_.x.range) >= kTiny &&
        std::fabs(frame_.y.range) >= kTiny)) {
    return;
  }
  RunPass(&CGeoHistPlt::DrawAxes);
  RunPass(kind_ == 0 ? &CGeoHistPlt::DrawBars : &CGeoHistPlt::DrawCurve);
}

template <typename Pass>
void CGeoHistPlt::RunPass(Pass pass) {
  if (has_result_) RunChartPass(frame_, kPassPen, this, pass);
}

void CGeoHistPlt::DrawAxes(CDC* dc) {
  DrawExponentXAxis(dc, frame_, kBlack, kTitledAxisTitle, names_.x.str(),
                    x_label_factor_);
  double dx = 0.0;
  double dy = 0.0;
  frame_.LabelOffsets(dx, dy);

  // Y: unscaled, every second step, stopping one step below the top label
  // position so the name above the frame stays clear.
  dc->SetTextAlign(TA_RIGHT | TA_TOP);
  dy *= 2.0;
  const double label_x = frame_.x.origin - dx;
  frame_.DrawLabel(dc, label_x, frame_.y.end + dy, kLabelHeight, 0,
                   names_.y.str());
  frame_.DrawLabel(dc, label_x, frame_.y.origin + dy, kLabelHeight, 0,
                   FormatNumber(frame_.y.origin));
  const LONG ny = frame_.y.RoundedStepCount();
  for (LONG j = 2; j < ny - 1; j += 2) {
    const double wy = frame_.y.origin + j * frame_.y.step;
    frame_.DrawLabel(dc, label_x, wy + dy, kLabelHeight, 0, FormatNumber(wy));
  }
}

void CGeoHistPlt::DrawBars(CDC* dc) const {
  const LONG classes = FrequencyPointCount();
  for (LONG g = 0; g < classes; ++g) {
    const double f = result_[g + 1];
    if (f >= -kTiny && f <= kTiny) continue;  // an empty class leaves a gap
    const double x1 = window_.minimum + g * class_width_;
    const double x2 = window_.minimum + (g + 1) * class_width_;
    DrawBar(dc, x1, 0.0, x2, f);
  }
}

void CGeoHistPlt::DrawBar(CDC* dc, double x1, double y1, double x2,
                          double y2) const {
  ScopedSelection brush = SelectNewBrush(dc, kBlue);
  if (!brush.ok()) return;
  LONG sx1 = 0;
  LONG sy1 = 0;
  LONG sx2 = 0;
  LONG sy2 = 0;
  frame_.WorldtoScreen(x1, y1, sx1, sy1);
  frame_.WorldtoScreen(x2, y2, sx2, sy2);
  dc->Rectangle(sx1, sy1, sx2, sy2);
}

void CGeoHistPlt::DrawCurve(CDC* dc) const {
  const LONG n = CumulativePointCount();
  // The count divides as a single-precision number, exact up to 2^24.
  const double fractions = static_cast<float>(n);
  for (LONG j = 0; j + 1 < n; ++j) {
    DrawWorldLine(dc, frame_, result_[j], (j + 0.5) / fractions, result_[j + 1],
                  (j + 1.5) / fractions);
  }
  DrawWorldLine(dc, frame_, frame_.x.origin, 1.0, frame_.x.end, 1.0);
}
