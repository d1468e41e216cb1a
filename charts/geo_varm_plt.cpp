#include "charts/geo_varm_plt.h"

namespace {

constexpr FrameStyle kVariogramFrame{45, 8, 8, 45, 0, false, GridStyle::kNone,
                                     true};

}  // namespace

CGeoVarmPlt::CGeoVarmPlt() : frame_(kVariogramFrame) {}

CGeoVarmPlt::~CGeoVarmPlt() = default;

void CGeoVarmPlt::LoadVarmData(Variogram* entries, ModIndVrg* model,
                               CPoint* positions, int* selected,
                               LONG lag_count, int model_flag) {
  entries_ = entries;
  model_ = model;
  positions_ = positions;
  selected_ = selected;
  lag_count_ = lag_count;
  model_flag_ = model_flag;
}

void CGeoVarmPlt::DrawVarmPlt(CWnd* window) { frame_.window = window; }

void CGeoVarmPlt::DrawVrgLine() {}

void CGeoVarmPlt::DrawSelectPoint() {}
