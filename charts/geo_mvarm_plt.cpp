#include "charts/geo_mvarm_plt.h"

#include <new>
#include <vector>

#include "charts/geo_varm_plt.h"
#include "frame/draw_pass.h"
#include "frame/gdi_guards.h"
#include "frame/markers.h"

namespace {

constexpr FrameStyle kMultipleVariogramFrame =
    kVariogramPlotFrame.BottomPerWidth(kKvMultipleVariogramPlotBottom)
        .NarrowLabels();

}  // namespace

CGeoMVarmPlt::CGeoMVarmPlt() : frame_(kMultipleVariogramFrame) {}

CGeoMVarmPlt::~CGeoMVarmPlt() = default;

LONG CGeoMVarmPlt::LoadMVarmData(Variogram** entries, LONG* lag_counts,
                                 CPoint** positions, LONG count,
                                 int* show_flags, int load_flag) {
  // More variograms than the chart has slots for is refused outright.
  if (count > kMaxVariograms) return -1;
  if (count > 0 && (entries == nullptr || lag_counts == nullptr ||
                    positions == nullptr || show_flags == nullptr)) {
    return -1;
  }
  for (LONG i = 0; i < count; ++i) {
    if (entries[i] == nullptr || positions[i] == nullptr) {
      // A partial load: the slots before i keep what this call stored.
      for (LONG k = 0; k < i; ++k) {
        if (show_flags[k] == 1) return 1;
      }
      return -1;
    }
    entries_[i] = entries[i];
    lag_counts_[i] = lag_counts[i];
    positions_[i] = positions[i];
    show_flags_[i] = show_flags[i];
  }
  count_ = count < 0 ? 0 : count;
  load_flag_ = load_flag;
  return 1;
}

void CGeoMVarmPlt::DrawMVarmPlt(CWnd* window) {
  frame_.window = window;
  CalcExtents();
  frame_.CalcPlotRect();
  CalcVariogramScale(frame_, extents_);
  Redraw();
}

bool CGeoMVarmPlt::SlotsReady() const {
  for (LONG i = 0; i < count_; ++i) {
    if (entries_[i] == nullptr || positions_[i] == nullptr) return false;
  }
  return true;
}

void CGeoMVarmPlt::CalcExtents() {
  if (!SlotsReady()) return;
  // Hidden variograms and every cut-off row count, so that switching either
  // keeps the axes still.
  std::vector<double> gammas;
  std::vector<double> lags;
  try {
    for (LONG i = 0; i < count_; ++i) {
      CollectQualifying(entries_[i], lag_counts_[i], cutoff_count_, gammas,
                        lags);
    }
  } catch (const std::bad_alloc&) {
    return;  // the extents keep their values
  }
  extents_ = SummarizeVariogramExtents(gammas, lags, sill_flag_, sill_);
}

void CGeoMVarmPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoMVarmPlt::DrawAxes);
  RunPass(&CGeoMVarmPlt::DrawPoints);
  if (line_flag_ != 0) DrawMVrgLine();
  // The load flag and the sill flag each ask for the sill line, and each
  // pass draws it: with both, hosts have always seen it drawn twice.
  if (load_flag_ == 1) RunPass(&CGeoMVarmPlt::DrawSill);
  if (sill_flag_ != 0) RunPass(&CGeoMVarmPlt::DrawSill);
}

template <typename Pass>
void CGeoMVarmPlt::RunPass(Pass pass) {
  if (point_colors_ != nullptr && SlotsReady()) {
    RunChartPass(frame_, std::nullopt, this, pass);
  }
}

void CGeoMVarmPlt::DrawAxes(CDC* dc) {
  label_factors_ = DrawTickAxes(dc, frame_, kBlack, names_.x.str(),
                                names_.y.str(), XTickLabels::kEveryTick);
}

void CGeoMVarmPlt::DrawSill(CDC* dc) {
  // With the context's own pen: the chart selects none for the sill.
  DrawWorldLine(dc, frame_, 0.0, sill_, extents_.largest_lag, sill_);
}

void CGeoMVarmPlt::DrawPoints(CDC* dc) {
  for (LONG i = 0; i < count_; ++i) {
    if (show_flags_[i] == 0) continue;
    const VariogramRow row =
        CurrentVariogramRow(lag_counts_[i], cutoff_count_, current_cutoff_);
    for (long long j = row.begin; j < row.end; ++j) {
      const Variogram& entry = entries_[i][j];
      if (!IsQualifying(entry)) continue;
      DrawCrossMarker(dc, frame_, entry.h, entry.gamma, point_colors_[i],
                      positions_[i] + j);
    }
  }
}

void CGeoMVarmPlt::DrawMVrgLine() {
  if (point_colors_ == nullptr || !SlotsReady()) return;
  // No viewport origin: the recorded positions are moved by hand.
  DrawPassScope scope(frame_, std::nullopt, /*move_origin=*/false);
  if (!scope) return;
  CDC* dc = scope.dc();
  for (LONG i = 0; i < count_; ++i) {
    if (show_flags_[i] == 0) continue;
    ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, point_colors_[i]);
    if (!pen.ok()) continue;
    // No selection in this chart: every qualifying point is on the line.
    const VariogramRow row =
        CurrentVariogramRow(lag_counts_[i], cutoff_count_, current_cutoff_);
    std::vector<CPoint> points;
    try {
      for (long long j = row.begin; j < row.end; ++j) {
        if (IsQualifying(entries_[i][j])) points.push_back(positions_[i][j]);
      }
    } catch (const std::bad_alloc&) {
      return;
    }
    DrawRecordedLine(dc, frame_, points);
  }
}
