#include "charts/geo_varm_plt.h"

#include <new>
#include <stdexcept>

#include "frame/draw_pass.h"
#include "frame/gdi_guards.h"
#include "frame/markers.h"
#include "frame/numeric.h"

namespace {

constexpr FrameStyle kVariogramFrame =
    kVariogramPlotFrame.BottomPerWidth(kKvVariogramPlotBottom).NarrowLabels();

}  // namespace

VariogramRow CurrentVariogramRow(LONG lag_count, int cutoff_count,
                                 int current) {
  VariogramRow row;
  const long long length = static_cast<long long>(lag_count) + 2;
  // A row the host did not declare would be read beyond its array.
  if (length <= 0 || current < 0 || current >= cutoff_count) return row;
  row.begin = current * length;
  row.end = row.begin + length;
  return row;
}

void CollectQualifying(const Variogram* entries, LONG lag_count,
                       int cutoff_count, std::vector<double>& gammas,
                       std::vector<double>& lags) {
  const long long length = static_cast<long long>(lag_count) + 2;
  if (entries == nullptr || length <= 0 || cutoff_count <= 0) return;
  const long long total = length * cutoff_count;
  for (long long i = 0; i < total; ++i) {
    if (!IsQualifying(entries[i])) continue;
    gammas.push_back(entries[i].gamma);
    lags.push_back(entries[i].h);
  }
}

CGeoVarmPlt::CGeoVarmPlt() : frame_(kVariogramFrame) {}

CGeoVarmPlt::~CGeoVarmPlt() = default;

void CGeoVarmPlt::LoadVarmData(Variogram* entries, ModIndVrg* model,
                               CPoint* positions, int* selected, LONG lag_count,
                               int model_flag) {
  entries_ = entries;
  model_ = model;
  positions_ = positions;
  selected_ = selected;
  lag_count_ = lag_count;
  model_flag_ = model_flag;
}

void CGeoVarmPlt::DrawVarmPlt(CWnd* window) {
  frame_.window = window;
  CalcExtents();
  frame_.CalcPlotRect();
  CalcScale();
  Redraw();
}

void CGeoVarmPlt::CalcExtents() {
  if (entries_ == nullptr) return;
  std::vector<double> gammas;
  std::vector<double> lags;
  try {
    CollectQualifying(entries_, lag_count_, cutoff_count_, gammas, lags);
  } catch (const std::bad_alloc&) {
    return;  // the extents keep their values
  }
  extents_ = SummarizeVariogramExtents(gammas, lags, sill_flag_, sill_);
}

void CGeoVarmPlt::CalcScale() {
  if (model_ == nullptr) return;
  // A fitted model may rise above the data: records 0 to 2n count too.
  if (model_flag_ == 1 && lag_count_ >= 0) {
    const long long count = 2LL * lag_count_ + 1;
    std::vector<double> values;
    try {
      values.reserve(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
      return;
    } catch (const std::length_error&) {
      return;
    }
    for (long long k = 0; k < count; ++k) values.push_back(model_[k].value);
    const double largest_model = ArrayMax(values.data(), SaturateToLong(count));
    if (largest_model > extents_.largest_gamma) {
      extents_.largest_gamma = largest_model;
    }
  }
  CalcVariogramScale(frame_, extents_);
}

void CGeoVarmPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoVarmPlt::DrawAxes);
  RunPass(&CGeoVarmPlt::DrawPoints);
  if (line_flag_ != 0) DrawVrgLine();
  if (model_flag_ == 1) RunPass(&CGeoVarmPlt::DrawModelCurve);
  if (sill_flag_ == 1) RunPass(&CGeoVarmPlt::DrawSill);
}

template <typename Pass>
void CGeoVarmPlt::RunPass(Pass pass) {
  if (entries_ == nullptr || model_ == nullptr) return;
  // No pass pen: the frame and the markers bring their own, and the curve
  // and sill passes select theirs after the origin is moved.
  RunChartPass(frame_, std::nullopt, this, pass);
}

void CGeoVarmPlt::DrawAxes(CDC* dc) {
  label_factors_ = DrawTickAxes(dc, frame_, kBlack, names_.x.str(),
                                names_.y.str(), XTickLabels::kEverySecondTick);
}

void CGeoVarmPlt::DrawPoints(CDC* dc) {
  // Selected points are drawn like the others; the highlight is separate.
  const VariogramRow row =
      CurrentVariogramRow(lag_count_, cutoff_count_, current_cutoff_);
  for (long long i = row.begin; i < row.end; ++i) {
    const Variogram& entry = entries_[i];
    if (!IsQualifying(entry)) continue;
    DrawCrossMarker(dc, frame_, entry.h, entry.gamma, point_color_,
                    positions_ != nullptr ? positions_ + i : nullptr);
  }
}

void CGeoVarmPlt::DrawModelCurve(CDC* dc) {
  // The curve reads records 0 and 2 at least; with n < 0 the host's array
  // need not hold them.
  if (lag_count_ < 0) return;
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, model_color_);
  if (!pen.ok()) return;
  const long long n = lag_count_;
  // A model never dips below 0: the host's record is corrected as drawn.
  const auto non_negative = [this, n](long long k) -> const ModIndVrg& {
    if (n > 0 && model_[k].value < 0.0) model_[k].value = 0.0;
    return model_[k];
  };
  const ModIndVrg& first = non_negative(2);
  DrawWorldLine(dc, frame_, 0.0, model_[0].value, first.h, first.value);
  if (n == 0) return;
  // Stops at the largest experimental lag; later records stay untouched.
  for (long long k = 2; k <= 2 * n + 1; ++k) {
    if (extents_.largest_lag < model_[k + 1].h) break;
    const ModIndVrg& next = non_negative(k + 1);
    DrawWorldLine(dc, frame_, model_[k].h, model_[k].value, next.h, next.value);
  }
}

void CGeoVarmPlt::DrawSill(CDC* dc) {
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, kBlue);
  if (!pen.ok()) return;
  // The sill ends at the largest experimental lag, not at the axis end.
  DrawWorldLine(dc, frame_, 0.0, sill_, extents_.largest_lag, sill_);
}

void CGeoVarmPlt::DrawVrgLine() {
  if (frame_.window == nullptr || selected_ == nullptr || entries_ == nullptr ||
      positions_ == nullptr) {
    return;
  }
  // No viewport origin: the recorded positions are moved by hand.
  DrawPassScope scope(frame_, PenSpec{PS_SOLID, 1, point_color_},
                      /*move_origin=*/false);
  if (!scope) return;
  const VariogramRow row =
      CurrentVariogramRow(lag_count_, cutoff_count_, current_cutoff_);
  std::vector<CPoint> points;
  try {
    for (long long i = row.begin; i < row.end; ++i) {
      if (IsQualifying(entries_[i]) && selected_[i] == 0) {
        points.push_back(positions_[i]);
      }
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  DrawRecordedLine(scope.dc(), frame_, points);
}

void CGeoVarmPlt::DrawSelectPoint() {
  if (frame_.window == nullptr || selected_ == nullptr ||
      positions_ == nullptr) {
    return;
  }
  DrawPassScope scope(frame_, PenSpec{PS_SOLID, 1, kRed},
                      /*move_origin=*/false);
  if (!scope) return;
  // The pair count is not tested: whatever the host selected is marked.
  const VariogramRow row =
      CurrentVariogramRow(lag_count_, cutoff_count_, current_cutoff_);
  for (long long i = row.begin; i < row.end; ++i) {
    if (selected_[i] == 0) continue;
    const CPoint at = RecordedToClient(frame_, positions_[i]);
    StrokeCross(scope.dc(), at.x, at.y);
  }
}
