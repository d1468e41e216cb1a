#include "korvagraph/analysis/model_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace korvagraph::analysis {
namespace {

constexpr int kMinEntries = 3;
constexpr int kRangeSteps = 400;
constexpr int kGoldenSteps = 80;
constexpr double kLowestExponent = 0.01;
constexpr double kHighestExponent = 1.99;  // below kMaxPowerExponent
// Errors within this part of each other count as equal.
constexpr double kFlatError = 1e-9;

struct Candidate {
  double nugget = 0.0;
  double part = 0.0;
  double error = std::numeric_limits<double>::infinity();
};

// Weighted sums over the entries for one range: w = pair count, f = shape,
// g = semivariance.
struct Sums {
  double w = 0, f = 0, ff = 0, g = 0, fg = 0;
};

class RangeFitter {
 public:
  RangeFitter(const std::vector<const Variogram*>& used,
              const FitSettings& settings)
      : used_(used), settings_(settings), type_(settings.type) {}

  // Solves the weighted least squares of g = nugget + part * f for one range
  // with the free linear coefficients kept non-negative.
  Candidate Fit(double range) const {
    Sums s;
    for (const Variogram* v : used_) {
      const double w = v->npairs;
      const double f = StructureShape(type_, range, v->h);
      s.w += w;
      s.f += w * f;
      s.ff += w * f * f;
      s.g += w * v->gamma;
      s.fg += w * f * v->gamma;
    }
    Candidate c = Linear(s);
    c.error = 0.0;
    for (const Variogram* v : used_) {
      const double e =
          v->gamma - c.nugget - c.part * StructureShape(type_, range, v->h);
      c.error += v->npairs * e * e;
    }
    return c;
  }

 private:
  Candidate Linear(const Sums& s) const {
    const FitSettings& start = settings_;
    Candidate c;
    if (settings_.fix_nugget && settings_.fix_sill) {
      c.nugget = start.nugget;
      c.part = start.sill - start.nugget;
    } else if (settings_.fix_nugget) {
      // part = sum w f (g - n) / sum w f^2
      c.nugget = start.nugget;
      c.part = s.ff > 0.0 ? std::max(0.0, (s.fg - c.nugget * s.f) / s.ff) : 0.0;
    } else if (settings_.fix_sill) {
      // g = n (1 - f) + sill f: one coefficient, n, in [0, sill].
      const double s1 = s.w - 2.0 * s.f + s.ff;  // sum w (1-f)^2
      const double s2 =
          s.g - s.fg - start.sill * (s.f - s.ff);  // sum w(1-f)(g-sill f)
      c.nugget = s1 > 0.0 ? std::clamp(s2 / s1, 0.0, start.sill) : 0.0;
      c.part = start.sill - c.nugget;
    } else {
      const double det = s.w * s.ff - s.f * s.f;
      const bool solvable = std::fabs(det) > 1e-12 * s.w * s.ff;
      if (solvable) {
        c.nugget = (s.g * s.ff - s.f * s.fg) / det;
        c.part = (s.w * s.fg - s.f * s.g) / det;
      }
      if (c.nugget < 0.0 || !solvable) {
        c.nugget = 0.0;
        c.part = s.ff > 0.0 ? s.fg / s.ff : 0.0;
      }
      if (c.part < 0.0) {
        c.part = 0.0;
        c.nugget = s.g / s.w;
      }
    }
    return c;
  }

  const std::vector<const Variogram*>& used_;
  const FitSettings& settings_;
  const ModelType type_;
};

}  // namespace

Status ValidateFitSettings(const FitSettings& s) {
  const bool power = s.type == ModelType::kPower;
  if ((s.fix_nugget && !(s.nugget >= 0.0)) ||
      (s.fix_sill && !(s.sill >= 0.0)) ||
      (s.fix_nugget && s.fix_sill && s.sill < s.nugget) ||
      (s.fix_range && !(s.range > 0.0))) {
    return Status::Failure("expected 0 <= nugget <= sill and a range above 0");
  }
  if (power && s.fix_range && !(s.range < kMaxPowerExponent)) {
    return Status::Failure(
        "expected an exponent above 0 and below 2 in the range place of a "
        "power model");
  }
  return Status::Ok();
}

ModelFit FitModel(const VariogramRow& row, const LagSettings& lags,
                  double variance, const FitSettings& settings) {
  const bool power = settings.type == ModelType::kPower;
  ModelFit fit;
  double sill = settings.fix_sill ? settings.sill : variance;
  double nugget = settings.fix_nugget ? settings.nugget : 0.0;
  double range = settings.fix_range ? settings.range
                 : power            ? 1.0
                                    : 0.5 * lags.count * lags.spacing;
  std::vector<const Variogram*> used;
  for (size_t e = 1; e < row.size(); ++e) {
    if (row[e].npairs >= kMinVariogramPairs) {
      fit.smallest_lag =
          used.empty() ? row[e].h : std::min(fit.smallest_lag, row[e].h);
      used.push_back(&row[e]);
      fit.largest_lag = std::max(fit.largest_lag, row[e].h);
    }
  }
  fit.lags_used = static_cast<int>(used.size());
  if (fit.lags_used >= kMinEntries) {
    fit.fitted = true;
    const RangeFitter fitter(used, settings);
    const double lower = power ? kLowestExponent : 0.5 * lags.spacing;
    const double upper =
        power ? kHighestExponent : 1.5 * (lags.count + 0.5) * lags.spacing;
    Candidate best;
    if (settings.fix_range) {
      best = fitter.Fit(range);
    } else {
      // The start: the best range of a fine grid.
      const double step = (upper - lower) / kRangeSteps;
      double worst = 0.0;
      for (int i = 0; i <= kRangeSteps; ++i) {
        const double candidate = lower + step * i;
        const Candidate c = fitter.Fit(candidate);
        worst = std::max(worst, c.error);
        if (c.error < best.error) {
          best = c;
          range = candidate;
        }
      }
      // Every range fits alike (a flat variogram): none is determined, and
      // the search's first bound stands.
      if (!(worst > best.error * (1.0 + kFlatError))) {
        fit.range_at_bound = true;
        fit.model = SingleStructure(settings.type, best.nugget,
                                    best.nugget + best.part, range);
        return fit;
      }
      // Golden-section search in the grid cells either side of it.
      const double phi = 0.5 * (std::sqrt(5.0) - 1.0);
      double a = std::max(lower, range - step);
      double b = std::min(upper, range + step);
      for (int i = 0; i < kGoldenSteps && b - a > 1e-9 * upper; ++i) {
        const double c1 = b - phi * (b - a), c2 = a + phi * (b - a);
        if (fitter.Fit(c1).error < fitter.Fit(c2).error) {
          b = c2;
        } else {
          a = c1;
        }
      }
      const Candidate refined = fitter.Fit(0.5 * (a + b));
      if (refined.error <= best.error) {
        best = refined;
        range = 0.5 * (a + b);
      }
      const double edge = 1e-3 * (upper - lower);
      fit.range_at_bound = range <= lower + edge || range >= upper - edge;
    }
    nugget = best.nugget;
    sill = best.nugget + best.part;
  }
  fit.model = SingleStructure(settings.type, nugget, sill, range);
  return fit;
}

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", value);
  return text;
}

// Returns "0.1 + 0.3 sph(60) + 0.6 exp(240, 120, 30); sill 1": the model
// written out as --model takes it (range, minor range, azimuth).
std::string NestedDescription(const VariogramModel& m) {
  return ModelFormula(m) + "; sill " + Number(m.Sill());
}

}  // namespace

std::string ModelDescription(const ModelFit& fit, const FitSettings& settings) {
  const VariogramModel& m = fit.model;
  if (settings.model_given) return NestedDescription(m) + " (given)";
  if (settings.Nested()) {
    if (!fit.fitted) return NestedDescription(m) + " (defaults: too few lags)";
    return NestedDescription(m) + " (fitted by least squares weighted by " +
           FitWeightsName(settings.weights) + " to " +
           std::to_string(fit.lags_used) + " lags" +
           (settings.anisotropic ? " of every direction" : "") +
           "; weighted residual " + Number(fit.residual) + ")";
  }
  const Structure s = m.structures.empty() ? Structure() : m.structures[0];
  char text[256];
  std::snprintf(text, sizeof(text), "%s: nugget %g, sill %g, %s %g",
                ModelTypeName(s.type), m.nugget, m.Sill(),
                s.type == ModelType::kPower ? "exponent" : "range", s.range);
  std::string description = text;
  if (settings.AllFixed()) return description + " (given)";
  if (!fit.fitted) {
    return description + " (defaults: too few lags of " +
           std::to_string(kMinVariogramPairs) + " pairs to fit)";
  }
  std::string fixed;
  for (const auto& [is_fixed, name] :
       {std::pair<bool, const char*>{settings.fix_nugget, "nugget"},
        {settings.fix_sill, "sill"},
        {settings.fix_range, "range"}}) {
    if (is_fixed) fixed += std::string(fixed.empty() ? "" : ", ") + name;
  }
  description += " (fitted by weighted least squares to " +
                 std::to_string(fit.lags_used) + " lags";
  if (!fixed.empty()) description += "; given: " + fixed;
  return description + ")";
}

std::vector<std::string> FitWarnings(const ModelFit& fit,
                                     const FitSettings& settings) {
  if (settings.model_given) return {};
  if (settings.Nested()) return fit.warnings;
  if (settings.fix_range) return {};
  if (!fit.fitted) {
    return {"too few lags of " + std::to_string(kMinVariogramPairs) +
            " pairs to fit a model: the model drawn holds default parameters"};
  }
  const Structure s =
      fit.model.structures.empty() ? Structure() : fit.model.structures[0];
  const bool power = s.type == ModelType::kPower;
  char text[200];
  if (fit.range_at_bound) {
    std::snprintf(text, sizeof(text),
                  "the fitted %s %g ends at a bound of the search: the data "
                  "do not determine it",
                  power ? "exponent" : "range", s.range);
    return {text};
  }
  if (!power && s.range > fit.largest_lag) {
    std::snprintf(text, sizeof(text),
                  "the fitted range %g lies beyond the largest lag used "
                  "(%g): no lag shows the sill",
                  s.range, fit.largest_lag);
    return {text};
  }
  if (!power && s.range < fit.smallest_lag) {
    std::snprintf(text, sizeof(text),
                  "the fitted range %g is shorter than the first lag used "
                  "(%g): no lag shows the structure rise",
                  s.range, fit.smallest_lag);
    return {text};
  }
  return {};
}

ModelFit FitRows(const std::vector<VariogramRow>& rows,
                 const std::vector<Direction>& directions,
                 const LagSettings& lags, double variance,
                 const FitSettings& settings) {
  ModelFit fit;
  if (settings.model_given) {
    fit.model = settings.given;
    return fit;
  }
  if (settings.Nested()) {
    NestedFitSettings nested;
    nested.types = {settings.type};
    nested.types.insert(nested.types.end(), settings.nested_types.begin(),
                        settings.nested_types.end());
    nested.anisotropic = settings.anisotropic;
    nested.weights = settings.weights;
    const NestedFit result =
        FitNestedModel(rows, directions, lags, variance, nested);
    fit.model = result.model;
    fit.fitted = result.fitted;
    fit.lags_used = result.lags_used;
    fit.residual = result.residual;
    fit.warnings = result.warnings;
    return fit;
  }
  for (size_t d = 0; d < rows.size() && d < directions.size(); ++d) {
    if (directions[d].TakesEveryPair()) {
      return FitModel(rows[d], lags, variance, settings);
    }
  }
  return FitModel(rows.empty() ? VariogramRow() : rows[0], lags, variance,
                  settings);
}

}  // namespace korvagraph::analysis
