#include "charts/geo_qqpp_plt.h"

namespace {

constexpr FrameStyle kQuantileFrame{35, 8, 8, 35, 0, true, GridStyle::kDotted,
                                    false};

}  // namespace

CGeoQqppPlt::CGeoQqppPlt() : frame_(kQuantileFrame) {}

CGeoQqppPlt::~CGeoQqppPlt() = default;

void CGeoQqppPlt::CptQqppParam(LONG&, double&, double&, LONG&, double&,
                               double&) {}

void CGeoQqppPlt::DrawQqppPlt(CWnd* window) { frame_.window = window; }
