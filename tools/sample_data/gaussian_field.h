// Unconditional simulation of a stationary Gaussian field at scattered
// points: the covariance matrix of a nugget plus spherical model is factored
// by Cholesky and multiplied into independent normals.
#ifndef TOOLS_SAMPLE_DATA_GAUSSIAN_FIELD_H_
#define TOOLS_SAMPLE_DATA_GAUSSIAN_FIELD_H_

#include <vector>

#include "tools/sample_data/random_source.h"

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

// Variogram gamma(h) = nugget + part * Sph(h / range) for h > 0; the sill is
// nugget + part. The covariance is sill - gamma(h).
struct SphericalStructure {
  double nugget = 0.0;
  double part = 1.0;
  double range = 1.0;
};

// Returns the covariance of two distinct samples h apart (the nugget only
// adds to a sample's own variance).
double Covariance(const SphericalStructure& model, double h);

// Factors the symmetric positive definite n x n matrix a (row-major) in
// place into its lower Cholesky factor. Returns false if it is not positive
// definite.
bool CholeskyFactor(std::vector<double>* a, int n);

// Returns one value per point, mean 0, with the model's covariance.
std::vector<double> SimulateGaussianField(const std::vector<PlanePoint>& points,
                                          const SphericalStructure& model,
                                          RandomSource* random);

#endif  // TOOLS_SAMPLE_DATA_GAUSSIAN_FIELD_H_
