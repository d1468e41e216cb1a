// A spherical variogram model with a nugget, fitted to an experimental
// variogram by weighted least squares, and its record for the library's
// model-curve export.
#ifndef TOOLS_KORVAGRAPH_SPHERICAL_FIT_H_
#define TOOLS_KORVAGRAPH_SPHERICAL_FIT_H_

#include <vector>

#include "include/KorvaGraphLib.h"
#include "tools/korvagraph/experimental_variogram.h"

struct SphericalModel {
  double nugget = 0.0;
  double sill = 1.0;  // total sill: nugget plus the spherical part
  double range = 1.0;
};

// Returns the model's semivariance at distance h (0 at h = 0).
double SphericalSemivariance(const SphericalModel& model, double h);

// Fits nugget, sill and range to the entries of row that a chart draws (30
// pairs or more), weighting each by its pair count: for every range on a
// fine grid the nugget and the spherical part follow by linear least squares
// (both kept non-negative), and the range with the smallest error wins.
// With fewer than three such entries it returns the defaults: no nugget,
// sill = variance, range = half the lags' reach.
SphericalModel FitSpherical(const std::vector<Variogram>& row,
                            const LagSettings& lags, double variance);

// Returns the one-structure model record (type 1, spherical; isotropic)
// evaluated along azimuth degrees.
Kt3dIntp ToModelRecord(const SphericalModel& model, double azimuth);

#endif  // TOOLS_KORVAGRAPH_SPHERICAL_FIT_H_
