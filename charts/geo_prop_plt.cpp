#include "charts/geo_prop_plt.h"

namespace {

constexpr FrameStyle kProbabilityFrame{35, 8, 8, 50, 0, false,
                                       GridStyle::kSolidVertical, false};

// The axis probabilities as single-precision values widened to double.
constexpr float kLevels[CGeoPropPlt::kLevelCount] = {
    0.0001f, 0.001f, 0.002f, 0.01f, 0.02f, 0.05f, 0.1f,
    0.2f,    0.3f,   0.4f,   0.5f,  0.6f,  0.7f,  0.8f,
    0.9f,    0.95f,  0.98f,  0.99f, 0.998f, 0.999f, 0.9999f};

}  // namespace

CGeoPropPlt::CGeoPropPlt() : frame_(kProbabilityFrame) {
  for (int k = 0; k < kLevelCount; ++k) probabilities_[k] = kLevels[k];
}

CGeoPropPlt::~CGeoPropPlt() = default;

void CGeoPropPlt::CptPropParam() {}

void CGeoPropPlt::OutPutPropPnt(double*, double*, double*) const {}

void CGeoPropPlt::DrawPropPlt(CWnd* window) { frame_.window = window; }
