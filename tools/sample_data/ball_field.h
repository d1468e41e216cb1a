// Simulation of a stationary field with a spherical variogram at many
// scattered points, in time linear in the point count: the sum of random
// normal weights of balls scattered through space. Two points h apart share
// balls in proportion to the volume the balls' positions have in common,
// which is the spherical covariance; with many balls over each point the sum
// is close to Gaussian.
#ifndef TOOLS_SAMPLE_DATA_BALL_FIELD_H_
#define TOOLS_SAMPLE_DATA_BALL_FIELD_H_

#include <vector>

#include "tools/sample_data/gaussian_field.h"
#include "tools/sample_data/random_source.h"

// Returns one value per point, mean 0, with the model's covariance.
// REQUIRES: model.range > 0.
std::vector<double> SimulateBallField(const std::vector<PlanePoint>& points,
                                      const SphericalStructure& model,
                                      RandomSource* random);

#endif  // TOOLS_SAMPLE_DATA_BALL_FIELD_H_
