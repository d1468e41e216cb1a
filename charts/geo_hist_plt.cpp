#include "charts/geo_hist_plt.h"

namespace {

constexpr FrameStyle kHistogramFrame{35, 8, 8, 50, 0, false,
                                     GridStyle::kDotted, true};

}  // namespace

CGeoHistPlt::CGeoHistPlt() : frame_(kHistogramFrame) {}

CGeoHistPlt::~CGeoHistPlt() = default;

LONG CGeoHistPlt::CptHistParam(LONG&, LONG&, double&, double&, double&,
                               double&, double&, double&, double&, double&,
                               double&, double&) {
  return 0;
}

void CGeoHistPlt::OutPutHistPntNum(LONG&) const {}

void CGeoHistPlt::OutPutHistPnt(double*, double*) const {}

void CGeoHistPlt::DrawHistPlt(CWnd* window) { frame_.window = window; }
