// The nested variogram model: a nugget plus up to 20 structures, each with
// its type, contribution, anisotropic ranges and orientation.
#ifndef SIBLINGS_KORVALIB_VARIOGRAM_MODEL_H_
#define SIBLINGS_KORVALIB_VARIOGRAM_MODEL_H_

#include <vector>

#include "siblings/korvalib/anisotropy.h"

namespace korvalib {

constexpr int kMaxStructures = 20;

enum StructureType {
  kSpherical = 1,
  kExponential = 2,  // practical range: 1 - exp(-3h/a)
  kGaussian = 3,     // practical range: 1 - exp(-3(h/a)^2)
  kPower = 4,        // c * h^w, w in the range slot
  kHoleEffect = 5,   // 1 - cos(pi h / a)
};

// Returns the unit-sill value of a structure of the given type and range
// (for kPower, the exponent) at the distance h >= 0; 0 for an unknown type.
double StructureValue(int type, double range, double h);

struct Structure {
  int type = 0;
  double contribution = 0.0;
  double major_range = 0.0;  // the exponent for kPower
  Anisotropy anisotropy{0.0, 0.0, 0.0, 1.0, 1.0};
};

class VariogramModel {
 public:
  VariogramModel() = default;

  // Replaces the model. The arrays hold one entry per structure: type codes,
  // contributions, the three ranges and the three angles (degrees).
  // Returns false (model unchanged) unless 0 <= count <= kMaxStructures and
  // every array is present when count > 0.
  bool Set(int count, double nugget, const double* contributions,
           const int* types, const double* major, const double* minor,
           const double* vertical, const double* azimuth, const double* dip,
           const double* rake);

  // Returns the semivariance at separation (dx, dy, dz): 0 at the origin,
  // the nugget plus every structure elsewhere.
  double Semivariance(double dx, double dy, double dz) const;

 private:
  double nugget_ = 0.0;
  std::vector<Structure> structures_;
};

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_VARIOGRAM_MODEL_H_
