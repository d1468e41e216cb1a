#include "charts/geo_nqqp_plt.h"

namespace {

constexpr FrameStyle kQuantileFrame{35, 8, 8, 35, 0, true, GridStyle::kDotted,
                                    false};

}  // namespace

CGeoNqqpPlt::CGeoNqqpPlt() : frame_(kQuantileFrame) {}

CGeoNqqpPlt::~CGeoNqqpPlt() = default;

void CGeoNqqpPlt::CptNqqpParam() {}

void CGeoNqqpPlt::OutPutNqqpPnt(double*, double*) const {}

void CGeoNqqpPlt::DrawNqqpPlt(CWnd* window) { frame_.window = window; }
