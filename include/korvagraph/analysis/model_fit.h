// Fitting variogram models by weighted least squares: one structure and a
// nugget to one experimental variogram (the fit korvagraph draws by
// default), and nested structures, isotropic or geometrically anisotropic,
// to every direction at once; the description of the result, and the
// warnings a fit the data cannot support deserves.
#ifndef KORVAGRAPH_ANALYSIS_MODEL_FIT_H_
#define KORVAGRAPH_ANALYSIS_MODEL_FIT_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/model.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {

// How each lag counts in a weighted fit.
enum class FitWeights {
  kPairs,                     // its pair count
  kPairsOverDistanceSquared,  // pairs / h^2: the short lags weigh most
};

// What a fit may change: fixed parameters keep their given values.
struct FitSettings {
  ModelType type = ModelType::kSpherical;  // the (first structure's) type
  bool fix_nugget = false, fix_sill = false, fix_range = false;
  double nugget = 0.0;
  double sill = 0.0;   // nugget plus contribution
  double range = 0.0;  // power: the exponent
  // Nested fits (see FitNestedModel): the types of further structures, an
  // anisotropic fit over every direction, the lags' weights.
  std::vector<ModelType> nested_types;
  bool anisotropic = false;
  FitWeights weights = FitWeights::kPairs;
  // A model written out whole: drawn as it is, nothing fitted.
  bool model_given = false;
  VariogramModel given;

  bool AllFixed() const { return fix_nugget && fix_sill && fix_range; }
  // Returns true when the fit is a nested one rather than the one-structure
  // fit of the omnidirectional row.
  bool Nested() const {
    return !nested_types.empty() || anisotropic ||
           weights != FitWeights::kPairs;
  }
};

// Checks the fixed parameters: 0 <= nugget <= sill, range above 0 (power:
// an exponent below kMaxPowerExponent). The message names what is wrong.
Status ValidateFitSettings(const FitSettings& settings);

struct ModelFit {
  VariogramModel model;               // one structure
  int lags_used = 0;                  // entries of kMinVariogramPairs or more
  bool fitted = false;                // false: too few lags, the defaults stand
  bool range_at_bound = false;        // the best range is an end of the search
  double largest_lag = 0.0;           // distance of the farthest entry used
  double smallest_lag = 0.0;          // and of the nearest
  double residual = 0.0;              // nested fits: weighted mean square
  std::vector<std::string> warnings;  // nested fits: what FitWarnings says
};

// Fits the free parameters to the entries of row that a chart draws (at
// least kMinVariogramPairs pairs), weighting each by its pair count. For
// each range (power: exponent) nugget and contribution follow by linear
// least squares, kept non-negative; the range starts at the best of a fine
// grid and is refined by golden-section search. With fewer than three
// entries it returns the defaults (no nugget, sill = variance, range = half
// the lags' reach; power: exponent 1) overridden by the fixed parameters.
ModelFit FitModel(const VariogramRow& row, const LagSettings& lags,
                  double variance, const FitSettings& settings = {});

// Returns "spherical: nugget 0.1, sill 1, range 333 (fitted by weighted
// least squares to 11 lags)", naming the exponent of a power model and
// saying which parameters were fixed or left at their defaults.
std::string ModelDescription(const ModelFit& fit,
                             const FitSettings& settings = {});

// Returns the warnings about a model the data do not determine: too few
// lags to fit, a range at the end of its search, a range beyond the
// largest lag used or below the first. None when the range was given.
std::vector<std::string> FitWarnings(const ModelFit& fit,
                                     const FitSettings& settings = {});

// Returns "pairs" or "pairs/h2"; parses the same names.
const char* FitWeightsName(FitWeights weights);
bool ParseFitWeights(const std::string& name, FitWeights* weights);

struct NestedFitSettings {
  std::vector<ModelType> types = {ModelType::kSpherical};  // 1 to 3
  // False: isotropic structures fitted to the rows that take every
  // direction. True: one major azimuth, major and minor ranges of each
  // structure, fitted to every directional row at once.
  bool anisotropic = false;
  FitWeights weights = FitWeights::kPairs;
};

struct NestedFit {
  VariogramModel model;   // structures by increasing range
  bool fitted = false;    // false: too few lags; the model holds defaults
  int lags_used = 0;      // entries of kMinVariogramPairs or more, all rows
  double residual = 0.0;  // weighted mean square of the differences
  std::vector<std::string> warnings;  // ranges at a bound or below a lag
};

// Fits a nugget and settings.types' structures to the rows (one per
// direction) by weighted least squares: nugget and contributions at least
// 0, ranges within the lags' span (half a lag to 1.5 times the reach), and
// with anisotropy a major azimuth from 0 to 180 and minor ranges no longer
// than the major. The search is NLopt's BOBYQA from several starts (the
// directions' azimuths, spread ranges and ratios); the best stands.
NestedFit FitNestedModel(const std::vector<VariogramRow>& rows,
                         const std::vector<Direction>& directions,
                         const LagSettings& lags, double variance,
                         const NestedFitSettings& settings);

// Fits the model settings ask for to a set of rows, one per direction: the
// model given, else a nested fit (settings.Nested()), else the one-structure
// fit of the first row that takes every direction (FitModel).
ModelFit FitRows(const std::vector<VariogramRow>& rows,
                 const std::vector<Direction>& directions,
                 const LagSettings& lags, double variance,
                 const FitSettings& settings);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_MODEL_FIT_H_
