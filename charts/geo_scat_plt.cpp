#include "charts/geo_scat_plt.h"

namespace {

constexpr FrameStyle kScatterFrame{35, 8, 8, 35, 0, false, GridStyle::kDotted,
                                   false};

}  // namespace

CGeoScatPlt::CGeoScatPlt() : frame_(kScatterFrame) {}

CGeoScatPlt::~CGeoScatPlt() = default;

void CGeoScatPlt::CptScatParam(double&, LONG&, double&, double&, LONG&,
                               double&, double&, double&) {}

void CGeoScatPlt::DrawScatPlt(CWnd* window) { frame_.window = window; }
