// A variogram model of one structure and a nugget, of any type the
// library's model curve evaluates, fitted to an experimental variogram by
// weighted least squares; and its record for the library's model-curve
// export. Everything here is plain values; nothing is held.
#ifndef TOOLS_KORVAGRAPH_VARIOGRAM_FIT_H_
#define TOOLS_KORVAGRAPH_VARIOGRAM_FIT_H_

#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/experimental_variogram.h"

// The structure types, numbered as the model record's type codes.
enum class ModelType : LONG {
  kSpherical = 1,
  kExponential = 2,  // 1 - exp(-3h/a): a is the practical range
  kGaussian = 3,     // 1 - exp(-3(h/a)^2)
  kPower = 4,        // h^w: the exponent w (0 < w < 2) stands in range
  kHoleEffect = 5,   // 1 - cos(pi h/a)
};

// Returns the option name of type ("spherical", ..., "hole").
const char* ModelTypeName(ModelType type);
// Finds the type named name; false for an unknown name.
bool ParseModelType(const std::string& name, ModelType* type);

struct VariogramModel {
  double nugget = 0.0;
  double sill = 1.0;   // nugget plus the structure's contribution (power:
                       // the semivariance at distance 1)
  double range = 1.0;  // power: the exponent
  ModelType type = ModelType::kSpherical;
};

// Returns the model's semivariance at distance h (0 at h = 0).
double ModelSemivariance(const VariogramModel& model, double h);

// What a fit may change: fixed parameters keep the values of start.
struct FitSettings {
  VariogramModel start;  // its type is the type fitted
  bool fix_nugget = false;
  bool fix_sill = false;
  bool fix_range = false;
};

struct ModelFit {
  VariogramModel model;
  int lags_used = 0;            // entries of 30 pairs or more
  bool fitted = false;          // false: too few lags, the defaults stand
  bool range_at_bound = false;  // the best range is an end of the search
  double largest_lag = 0.0;     // distance of the farthest entry used
};

// Fits the free parameters to the entries of row that a chart draws (30
// pairs or more), weighting each by its pair count. For each range (the
// exponent of a power model) nugget and contribution follow by linear least
// squares, kept non-negative; the range starts at the best of a fine grid
// and is refined by golden-section search. With fewer than three entries
// it returns the defaults (no nugget, sill = variance, range = half the
// lags' reach; power: exponent 1) overridden by the fixed parameters.
ModelFit FitModel(const std::vector<Variogram>& row, const LagSettings& lags,
                  double variance, const FitSettings& settings = {});

// Returns "spherical: nugget 0.1, sill 1, range 333 (fitted by weighted
// least squares to 11 lags)", naming the exponent of a power model and
// saying which parameters were fixed or left at their defaults.
std::string ModelDescription(const ModelFit& fit,
                             const FitSettings& settings = {});

// Returns the one-structure model record (isotropic) evaluated along
// azimuth degrees.
Kt3dIntp ToModelRecord(const VariogramModel& model, double azimuth);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_FIT_H_
