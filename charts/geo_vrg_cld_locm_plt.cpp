#include "charts/geo_vrg_cld_locm_plt.h"

namespace {

constexpr FrameStyle kPairMapFrame{10, 5, 0, 0, 10, false, GridStyle::kNone,
                                   false};

}  // namespace

CGeoVrgCldLocmPlt::CGeoVrgCldLocmPlt() : frame_(kPairMapFrame) {}

CGeoVrgCldLocmPlt::~CGeoVrgCldLocmPlt() = default;

void CGeoVrgCldLocmPlt::DrawVrgCldLocmPlt(CWnd* window) {
  frame_.window = window;
}
