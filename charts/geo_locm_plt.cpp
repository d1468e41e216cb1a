#include "charts/geo_locm_plt.h"

namespace {

constexpr FrameStyle kLocalMeanFrame{50, 15, 10, 0, 25, false,
                                     GridStyle::kNone, false};

}  // namespace

CGeoLocmPlt::CGeoLocmPlt() : frame_(kLocalMeanFrame) {}

CGeoLocmPlt::~CGeoLocmPlt() = default;

void CGeoLocmPlt::CptLocmParam() {}

void CGeoLocmPlt::DrawLocmPlt(CWnd* map, CWnd* legend) {
  frame_.window = map;
  legend_ = legend;
}
