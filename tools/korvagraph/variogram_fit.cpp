#include "tools/korvagraph/variogram_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace {

constexpr int kMinEntries = 3;
constexpr int kRangeSteps = 400;
constexpr int kGoldenSteps = 80;
constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestExponent = 0.01;
constexpr double kHighestExponent = 1.99;

const struct {
  ModelType type;
  const char* name;
} kTypeNames[] = {{ModelType::kSpherical, "spherical"},
                  {ModelType::kExponential, "exponential"},
                  {ModelType::kGaussian, "gaussian"},
                  {ModelType::kPower, "power"},
                  {ModelType::kHoleEffect, "hole"}};

// The structure's shape, rising from 0 at h = 0 (to 1 at the range, except
// the power and hole-effect shapes).
double Shape(ModelType type, double range, double h) {
  if (h <= 0.0) return 0.0;
  if (type == ModelType::kPower) return std::pow(h, range);
  if (!(range > 0.0)) return 1.0;
  const double r = h / range;
  switch (type) {
    case ModelType::kSpherical:
      return r >= 1.0 ? 1.0 : 1.5 * r - 0.5 * r * r * r;
    case ModelType::kExponential:
      return 1.0 - std::exp(-3.0 * r);
    case ModelType::kGaussian:
      return 1.0 - std::exp(-3.0 * r * r);
    default:  // kHoleEffect
      return 1.0 - std::cos(kPi * r);
  }
}

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
      : used_(used), settings_(settings) {}

  // Solves the weighted least squares of g = nugget + part * f for one range
  // with the free linear coefficients kept non-negative.
  Candidate Fit(double range) const {
    Sums s;
    for (const Variogram* v : used_) {
      const double w = v->npairs;
      const double f = Shape(settings_.start.type, range, v->h);
      s.w += w;
      s.f += w * f;
      s.ff += w * f * f;
      s.g += w * v->gamma;
      s.fg += w * f * v->gamma;
    }
    Candidate c = Linear(s);
    c.error = 0.0;
    for (const Variogram* v : used_) {
      const double e = v->gamma - c.nugget -
                       c.part * Shape(settings_.start.type, range, v->h);
      c.error += v->npairs * e * e;
    }
    return c;
  }

 private:
  Candidate Linear(const Sums& s) const {
    const VariogramModel& start = settings_.start;
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
};

}  // namespace

const char* ModelTypeName(ModelType type) {
  for (const auto& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  return "unknown";
}

bool ParseModelType(const std::string& name, ModelType* type) {
  for (const auto& entry : kTypeNames) {
    if (name == entry.name) {
      *type = entry.type;
      return true;
    }
  }
  return false;
}

double ModelSemivariance(const VariogramModel& model, double h) {
  if (h <= 0.0) return 0.0;
  return model.nugget +
         (model.sill - model.nugget) * Shape(model.type, model.range, h);
}

ModelFit FitModel(const std::vector<Variogram>& row, const LagSettings& lags,
                  double variance, const FitSettings& settings) {
  const bool power = settings.start.type == ModelType::kPower;
  ModelFit fit;
  VariogramModel& model = fit.model;
  model.type = settings.start.type;
  model.sill = settings.fix_sill ? settings.start.sill : variance;
  model.nugget = settings.fix_nugget ? settings.start.nugget : 0.0;
  model.range = settings.fix_range ? settings.start.range
                : power            ? 1.0
                                   : 0.5 * lags.count * lags.spacing;
  std::vector<const Variogram*> used;
  for (size_t e = 1; e < row.size(); ++e) {
    if (row[e].npairs >= kMinPairs) {
      used.push_back(&row[e]);
      fit.largest_lag = std::max(fit.largest_lag, row[e].h);
    }
  }
  fit.lags_used = static_cast<int>(used.size());
  if (fit.lags_used < kMinEntries) return fit;
  fit.fitted = true;

  const RangeFitter fitter(used, settings);
  double lower = power ? kLowestExponent : 0.5 * lags.spacing;
  double upper =
      power ? kHighestExponent : 1.5 * (lags.count + 0.5) * lags.spacing;
  Candidate best;
  if (settings.fix_range) {
    best = fitter.Fit(model.range);
  } else {
    // The start: the best range of a fine grid.
    const double step = (upper - lower) / kRangeSteps;
    for (int i = 0; i <= kRangeSteps; ++i) {
      const double range = lower + step * i;
      const Candidate c = fitter.Fit(range);
      if (c.error < best.error) {
        best = c;
        model.range = range;
      }
    }
    // Golden-section search in the grid cells either side of it.
    const double phi = 0.5 * (std::sqrt(5.0) - 1.0);
    double a = std::max(lower, model.range - step);
    double b = std::min(upper, model.range + step);
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
      model.range = 0.5 * (a + b);
    }
    const double edge = 1e-3 * (upper - lower);
    fit.range_at_bound =
        model.range <= lower + edge || model.range >= upper - edge;
  }
  model.nugget = best.nugget;
  model.sill = best.nugget + best.part;
  return fit;
}

std::string ModelDescription(const ModelFit& fit, const FitSettings& settings) {
  const VariogramModel& m = fit.model;
  char text[256];
  std::snprintf(text, sizeof(text), "%s: nugget %g, sill %g, %s %g",
                ModelTypeName(m.type), m.nugget, m.sill,
                m.type == ModelType::kPower ? "exponent" : "range", m.range);
  std::string description = text;
  if (settings.fix_nugget && settings.fix_sill && settings.fix_range) {
    return description + " (given)";
  }
  if (!fit.fitted) {
    return description + " (defaults: too few lags of 30 pairs to fit)";
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

Kt3dIntp ToModelRecord(const VariogramModel& model, double azimuth) {
  Kt3dIntp record{};
  record.nst = 1;
  record.nugget = model.nugget;
  record.cc[0] = model.sill - model.nugget;
  record.it[0] = static_cast<LONG>(model.type);
  record.p1[0] = model.range;
  record.p2[0] = model.range;
  record.p3[0] = model.range;
  record.p4[0] = azimuth;
  return record;
}
