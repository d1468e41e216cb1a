#include "charts/geo_mvarm_plt.h"

namespace {

constexpr FrameStyle kMultipleVariogramFrame{45, 8, 8, 55, 0, false,
                                             GridStyle::kNone, true};

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

void CGeoMVarmPlt::DrawMVarmPlt(CWnd* window) { frame_.window = window; }

void CGeoMVarmPlt::DrawMVrgLine() {}
