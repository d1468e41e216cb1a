// Nested and anisotropic variogram models fitted by weighted least squares
// with NLopt's bounded derivative-free BOBYQA, from several starts.
#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "korvagraph/analysis/model_fit.h"

namespace korvagraph::analysis {
namespace {

constexpr int kMinLags = 3;
constexpr int kEvaluations = 3000;  // per start
constexpr double kLowestExponent = 0.01;
constexpr double kHighestExponent = 1.99;  // below kMaxPowerExponent
constexpr double kSmallestRatio = 0.02;    // minor over major range
// A range this close to an end of its span counts as at the bound.
constexpr double kBoundSlack = 1e-3;

// One lag a fit weighs: its distance, semivariance, weight and the azimuth
// of its direction.
struct FitPoint {
  double h, gamma, weight, azimuth;
};

// The parameters, laid out as nugget, then per structure contribution,
// range and (anisotropic) minor over major ratio, then (anisotropic) the
// azimuth.
class Layout {
 public:
  explicit Layout(const NestedFitSettings& settings)
      : types_(settings.types), anisotropic_(settings.anisotropic) {}

  size_t size() const { return 1 + types_.size() * Per() + anisotropic_; }
  size_t StructureAt(size_t i) const { return 1 + i * Per(); }
  size_t Azimuth() const { return size() - 1; }

  VariogramModel ModelOf(const double* p) const {
    VariogramModel model;
    model.nugget = p[0];
    for (size_t i = 0; i < types_.size(); ++i) {
      const double* s = p + StructureAt(i);
      Structure structure;
      structure.type = types_[i];
      structure.contribution = s[0];
      structure.range = s[1];
      if (anisotropic_) {
        structure.minor_range = s[1] * s[2];
        structure.azimuth = p[Azimuth()];
      }
      model.structures.push_back(structure);
    }
    return model;
  }

 private:
  size_t Per() const { return anisotropic_ ? 3 : 2; }

  std::vector<ModelType> types_;
  bool anisotropic_;
};

struct Problem {
  const Layout* layout;
  const std::vector<FitPoint>* points;
  double scale;  // of the weighted squares, so that NLopt sees about 1
};

double Objective(unsigned, const double* p, double*, void* data) {
  const Problem& problem = *static_cast<const Problem*>(data);
  const VariogramModel model = problem.layout->ModelOf(p);
  double sum = 0.0;
  for (const FitPoint& point : *problem.points) {
    const double e =
        point.gamma - ModelSemivariance(model, point.h, point.azimuth);
    sum += point.weight * e * e;
  }
  return sum / problem.scale;
}

// Frees an NLopt optimiser when it goes out of scope.
struct OptimiserDeleter {
  void operator()(nlopt_opt opt) const { nlopt_destroy(opt); }
};
using Optimiser = std::unique_ptr<nlopt_opt_s, OptimiserDeleter>;

// Returns the lags of rows the fit weighs: every row for an anisotropic
// fit but those that take every direction, else only those.
std::vector<FitPoint> PointsOf(const std::vector<VariogramRow>& rows,
                               const std::vector<Direction>& directions,
                               const NestedFitSettings& settings) {
  std::vector<FitPoint> points;
  for (size_t d = 0; d < rows.size() && d < directions.size(); ++d) {
    const bool every = directions[d].TakesEveryPair();
    if (every == settings.anisotropic) continue;
    for (size_t e = 1; e < rows[d].size(); ++e) {
      const Variogram& v = rows[d][e];
      if (v.npairs < kMinVariogramPairs || !(v.h > 0.0)) continue;
      const double weight = settings.weights == FitWeights::kPairs
                                ? v.npairs
                                : v.npairs / (v.h * v.h);
      points.push_back({v.h, v.gamma, weight, directions[d].azimuth});
    }
  }
  return points;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", value);
  return text;
}

}  // namespace

const char* FitWeightsName(FitWeights weights) {
  return weights == FitWeights::kPairs ? "pairs" : "pairs/h2";
}

bool ParseFitWeights(const std::string& name, FitWeights* weights) {
  for (FitWeights w :
       {FitWeights::kPairs, FitWeights::kPairsOverDistanceSquared}) {
    if (name == FitWeightsName(w)) {
      *weights = w;
      return true;
    }
  }
  return false;
}

NestedFit FitNestedModel(const std::vector<VariogramRow>& rows,
                         const std::vector<Direction>& directions,
                         const LagSettings& lags, double variance,
                         const NestedFitSettings& settings) {
  const Layout layout(settings);
  const size_t n = layout.size();
  const size_t structures = settings.types.size();
  const std::vector<FitPoint> points = PointsOf(rows, directions, settings);
  NestedFit fit;
  fit.lags_used = static_cast<int>(points.size());
  // The defaults: the variance shared out, ranges spread over the reach.
  const double reach = lags.count * lags.spacing;
  std::vector<double> p(n, 0.0);
  for (size_t i = 0; i < structures; ++i) {
    const bool power = settings.types[i] == ModelType::kPower;
    p[layout.StructureAt(i)] = variance / structures;
    p[layout.StructureAt(i) + 1] =
        power ? 1.0 : reach * (i + 1) / (structures + 1);
    if (settings.anisotropic) p[layout.StructureAt(i) + 2] = 1.0;
  }
  fit.model = layout.ModelOf(p.data());
  if (fit.lags_used < kMinLags || structures == 0 ||
      structures > kMaxStructures) {
    fit.warnings.push_back("fewer than three lags of " +
                           std::to_string(kMinVariogramPairs) +
                           " pairs to fit: the model holds default "
                           "parameters");
    return fit;
  }

  double top = 0.0, weights = 0.0, first_lag = points.front().h;
  for (const FitPoint& point : points) {
    top = std::max(top, point.gamma);
    weights += point.weight;
    first_lag = std::min(first_lag, point.h);
  }
  top = std::max(top, 1e-300);
  const double low_range = 0.5 * lags.spacing;
  const double high_range = 1.5 * (lags.count + 0.5) * lags.spacing;
  std::vector<double> lower(n, 0.0), upper(n, 0.0);
  upper[0] = 2.0 * top;
  for (size_t i = 0; i < structures; ++i) {
    const size_t at = layout.StructureAt(i);
    const bool power = settings.types[i] == ModelType::kPower;
    // A power structure reaches c h^w: its c may be far above the values.
    upper[at] =
        power ? 2.0 * top / std::min(1.0, std::pow(first_lag, 2.0)) : 2.0 * top;
    lower[at + 1] = power ? kLowestExponent : low_range;
    upper[at + 1] = power ? kHighestExponent : high_range;
    if (settings.anisotropic) {
      lower[at + 2] = kSmallestRatio;
      upper[at + 2] = 1.0;
    }
  }
  if (settings.anisotropic) upper[layout.Azimuth()] = 180.0;

  Problem problem{&layout, &points, weights * top * top};
  Optimiser opt(nlopt_create(NLOPT_LN_BOBYQA, static_cast<unsigned>(n)));
  nlopt_set_lower_bounds(opt.get(), lower.data());
  nlopt_set_upper_bounds(opt.get(), upper.data());
  nlopt_set_min_objective(opt.get(), Objective, &problem);
  nlopt_set_maxeval(opt.get(), kEvaluations);
  nlopt_set_xtol_rel(opt.get(), 1e-10);
  nlopt_set_ftol_rel(opt.get(), 1e-14);

  // Starts: nuggets, spreads of the ranges, minor ratios and the rows'
  // azimuths; the best end stands.
  std::vector<double> azimuths = {0.0};
  if (settings.anisotropic) {
    azimuths.clear();
    for (const FitPoint& point : points) {
      const double a =
          std::fmod(std::fmod(point.azimuth, 180.0) + 180.0, 180.0);
      if (std::find(azimuths.begin(), azimuths.end(), a) == azimuths.end()) {
        azimuths.push_back(a);
      }
    }
  }
  std::vector<double> best = p;
  double best_error = std::numeric_limits<double>::infinity();
  for (double nugget : {0.0, 0.2 * top}) {
    for (double spread : {0.3, 0.6, 0.9}) {
      for (double ratio : settings.anisotropic ? std::vector<double>{0.4, 1.0}
                                               : std::vector<double>{1.0}) {
        for (double azimuth : azimuths) {
          std::vector<double> x(n, 0.0);
          x[0] = nugget;
          for (size_t i = 0; i < structures; ++i) {
            const size_t at = layout.StructureAt(i);
            const double share = (i + 1.0) / structures;
            x[at] = (top - nugget) / structures;
            x[at + 1] = settings.types[i] == ModelType::kPower
                            ? 0.5 + spread
                            : low_range + (high_range - low_range) * spread *
                                              share * 0.7;
            if (settings.anisotropic) x[at + 2] = ratio;
          }
          if (settings.anisotropic) x[layout.Azimuth()] = azimuth;
          for (size_t k = 0; k < n; ++k) {
            x[k] = std::clamp(x[k], lower[k], upper[k]);
          }
          double error = 0.0;
          if (nlopt_optimize(opt.get(), x.data(), &error) < 0) continue;
          if (error < best_error) {
            best_error = error;
            best = x;
          }
        }
      }
    }
  }
  if (!std::isfinite(best_error)) {
    fit.warnings.push_back(
        "the fit did not converge: the model holds "
        "default parameters");
    return fit;
  }
  fit.fitted = true;
  fit.residual = best_error * problem.scale / weights;
  fit.model = layout.ModelOf(best.data());
  std::sort(
      fit.model.structures.begin(), fit.model.structures.end(),
      [](const Structure& a, const Structure& b) { return a.range < b.range; });
  for (size_t i = 0; i < fit.model.structures.size(); ++i) {
    const Structure& s = fit.model.structures[i];
    const bool power = s.type == ModelType::kPower;
    const double lo = power ? kLowestExponent : low_range;
    const double hi = power ? kHighestExponent : high_range;
    const std::string what = std::string(power ? "exponent" : "range") +
                             " of structure " + std::to_string(i + 1);
    if (s.range <= lo + kBoundSlack * (hi - lo) ||
        s.range >= hi - kBoundSlack * (hi - lo)) {
      fit.warnings.push_back("the fitted " + what + ", " + Number(s.range) +
                             ", ends at a bound of the search: the data do "
                             "not determine it");
    } else if (!power && s.range < first_lag) {
      fit.warnings.push_back("the fitted " + what + ", " + Number(s.range) +
                             ", is shorter than the first lag used (" +
                             Number(first_lag) +
                             "): no lag shows that structure rise");
    }
  }
  return fit;
}

}  // namespace korvagraph::analysis
