#include "siblings/korvalib/variogram_model.h"

#include <cmath>
#include <utility>

namespace korvalib {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The ratio of a secondary range to the major one; not positive means
// "as the major range" (Anisotropy then stretches nothing).
double RangeRatio(double secondary, double major) {
  return secondary > 0.0 ? secondary / major : 1.0;
}

template <typename... Arrays>
bool AllPresent(const Arrays*... arrays) {
  return ((arrays != nullptr) && ...);
}

}  // namespace

double StructureValue(int type, double range, double h) {
  if (type == kPower) {
    if (!(range > 0.0 && range < 2.0)) return 0.0;
    return std::pow(h, range);
  }
  if (type < kSpherical || type > kHoleEffect) return 0.0;
  if (h == 0.0) return 0.0;
  // A vanishing range: the structure is a pure jump at the origin.
  if (!(range > 0.0)) return 1.0;
  const double r = h / range;
  switch (type) {
    case kSpherical:
      return r < 1.0 ? r * (1.5 - 0.5 * r * r) : 1.0;
    case kExponential:
      return 1.0 - std::exp(-3.0 * r);
    case kGaussian:
      return 1.0 - std::exp(-3.0 * r * r);
    default:  // kHoleEffect
      return 1.0 - std::cos(kPi * r);
  }
}

bool VariogramModel::Set(int count, double nugget, const double* contributions,
                         const int* types, const double* major,
                         const double* minor, const double* vertical,
                         const double* azimuth, const double* dip,
                         const double* rake) {
  if (count < 0 || count > kMaxStructures) return false;
  if (count > 0 && !AllPresent(contributions, types, major, minor, vertical,
                               azimuth, dip, rake)) {
    return false;
  }
  std::vector<Structure> structures(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Structure& s = structures[static_cast<size_t>(i)];
    s.type = types[i];
    s.contribution = contributions[i];
    s.major_range = major[i];
    s.anisotropy =
        Anisotropy(azimuth[i], dip[i], rake[i], RangeRatio(minor[i], major[i]),
                   RangeRatio(vertical[i], major[i]));
  }
  nugget_ = nugget;
  structures_ = std::move(structures);
  return true;
}

double VariogramModel::Semivariance(double dx, double dy, double dz) const {
  if (dx == 0.0 && dy == 0.0 && dz == 0.0) return 0.0;
  double value = nugget_;
  for (const Structure& s : structures_) {
    const double h = s.anisotropy.Distance(dx, dy, dz);
    value += s.contribution * StructureValue(s.type, s.major_range, h);
  }
  return value;
}

}  // namespace korvalib
