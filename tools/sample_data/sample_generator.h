// The bundled sample data set: scattered locations over a 1000 x 1000
// square with an elevation, a skewed primary attribute (copper, lognormal of
// a Gaussian field with a known spherical variogram) and a secondary one
// (zinc) correlated with it. Deterministic: the same file on every run.
#ifndef TOOLS_SAMPLE_DATA_SAMPLE_GENERATOR_H_
#define TOOLS_SAMPLE_DATA_SAMPLE_GENERATOR_H_

#include <cstdint>
#include <vector>

#include "korvagraph/analysis/table.h"
#include "tools/sample_data/gaussian_field.h"

// Sets of more samples than this are simulated by a sum of random balls
// rather than exactly: same variogram, nearly Gaussian.
constexpr int kLargestExactCount = 1000;

// The generating model; the README states the same numbers.
struct SampleModel {
  uint64_t seed = 20261208;
  int count = 300;
  double side = 1000.0;
  // Gaussian field Y: variogram 0.1 + 0.9 Sph(h / 333), sill 1.
  SphericalStructure field{0.1, 0.9, 333.0};
  // Copper = exp(copper_mu + copper_sigma * Y).
  double copper_mu = 3.0;
  double copper_sigma = 0.7;
  // Zinc = exp(zinc_mu + zinc_sigma * (rho * Y + sqrt(1 - rho^2) * W)), W
  // independent standard normals.
  double zinc_mu = 3.5;
  double zinc_sigma = 0.5;
  double rho = 0.8;
  // Every missing_every-th zinc value is missing (-999).
  int missing_every = 25;
};

// Returns the sample as columns X, Y, Elevation, Copper, Zinc.
korvagraph::analysis::Table GenerateSample(const SampleModel& model);

// Digits after the point for each column of the written file.
std::vector<int> SampleDecimals();

#endif  // TOOLS_SAMPLE_DATA_SAMPLE_GENERATOR_H_
