#include "charts/geo_vrg_cld_plt.h"

namespace {

constexpr FrameStyle kCloudFrame{45, 8, 8, 85, 0, false, GridStyle::kDotted,
                                 false};

}  // namespace

CGeoVrgCldPlt::CGeoVrgCldPlt() : frame_(kCloudFrame) {}

CGeoVrgCldPlt::~CGeoVrgCldPlt() = default;

void CGeoVrgCldPlt::DrawVrgCldPlt(CWnd* window) { frame_.window = window; }

void CGeoVrgCldPlt::WorldtoScreen(double x, double y, int& sx,
                                  int& sy) const {
  LONG px = 0;
  LONG py = 0;
  frame_.WorldtoScreen(x, y, px, py);
  sx = px;
  sy = py;
}
