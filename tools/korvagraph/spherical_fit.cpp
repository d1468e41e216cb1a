#include "tools/korvagraph/spherical_fit.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kMinPairs = 30;
constexpr int kMinEntries = 3;
constexpr int kRangeSteps = 400;
constexpr LONG kSphericalType = 1;

// The spherical shape: 1.5 r - 0.5 r^3 below the range, 1 beyond it.
double Shape(double h, double range) {
  if (!(range > 0.0)) return 1.0;
  const double r = h / range;
  return r >= 1.0 ? 1.0 : 1.5 * r - 0.5 * r * r * r;
}

struct Candidate {
  double nugget = 0.0;
  double part = 0.0;
  double error = std::numeric_limits<double>::infinity();
};

// Solves the weighted least squares of gamma = nugget + part * shape for one
// range, keeping both coefficients non-negative.
Candidate FitForRange(const std::vector<const Variogram*>& used, double range) {
  double sw = 0, sf = 0, sff = 0, sg = 0, sfg = 0;
  for (const Variogram* v : used) {
    const double w = v->npairs;
    const double f = Shape(v->h, range);
    sw += w;
    sf += w * f;
    sff += w * f * f;
    sg += w * v->gamma;
    sfg += w * f * v->gamma;
  }
  Candidate c;
  const double det = sw * sff - sf * sf;
  if (std::fabs(det) > 1e-12 * sw * sff) {
    c.nugget = (sg * sff - sf * sfg) / det;
    c.part = (sw * sfg - sf * sg) / det;
  }
  if (c.nugget < 0.0 || std::fabs(det) <= 1e-12 * sw * sff) {
    c.nugget = 0.0;
    c.part = sff > 0.0 ? sfg / sff : 0.0;
  }
  if (c.part < 0.0) {
    c.part = 0.0;
    c.nugget = sg / sw;
  }
  c.error = 0.0;
  for (const Variogram* v : used) {
    const double e = v->gamma - c.nugget - c.part * Shape(v->h, range);
    c.error += v->npairs * e * e;
  }
  return c;
}

}  // namespace

double SphericalSemivariance(const SphericalModel& model, double h) {
  if (h <= 0.0) return 0.0;
  return model.nugget + (model.sill - model.nugget) * Shape(h, model.range);
}

SphericalModel FitSpherical(const std::vector<Variogram>& row,
                            const LagSettings& lags, double variance) {
  SphericalModel model;
  model.sill = variance;
  model.range = 0.5 * lags.count * lags.spacing;
  std::vector<const Variogram*> used;
  for (size_t e = 1; e < row.size(); ++e) {
    if (row[e].npairs >= kMinPairs) used.push_back(&row[e]);
  }
  if (static_cast<int>(used.size()) < kMinEntries) return model;

  const double first = 0.5 * lags.spacing;
  const double last = 1.5 * (lags.count + 0.5) * lags.spacing;
  Candidate best;
  for (int step = 0; step <= kRangeSteps; ++step) {
    const double range = first + (last - first) * step / kRangeSteps;
    const Candidate c = FitForRange(used, range);
    if (c.error < best.error) {
      best = c;
      model.range = range;
    }
  }
  model.nugget = best.nugget;
  model.sill = best.nugget + best.part;
  return model;
}

Kt3dIntp ToModelRecord(const SphericalModel& model, double azimuth) {
  Kt3dIntp record{};
  record.nst = 1;
  record.nugget = model.nugget;
  record.cc[0] = model.sill - model.nugget;
  record.it[0] = kSphericalType;
  record.p1[0] = model.range;
  record.p2[0] = model.range;
  record.p3[0] = model.range;
  record.p4[0] = azimuth;
  return record;
}
