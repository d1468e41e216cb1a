// Mean and standard deviation with divisor n, the classic geostatistics
// convention.
#ifndef SIBLINGS_KORVALIB_MOMENTS_H_
#define SIBLINGS_KORVALIB_MOMENTS_H_

#include <cstddef>

#include "siblings/korvalib/value_window.h"

namespace korvalib {

struct MeanDeviation {
  double mean = 0.0;
  double deviation = 0.0;
};

// Returns the mean and the standard deviation (divisor n) of values[0..n-1];
// both 0 for n = 0, and a deviation of exactly 0 for constant values.
MeanDeviation ComputeMeanDeviation(const double* values, size_t n);

// The same over the values of values[0..n-1] inside window, in their order.
MeanDeviation ComputeMeanDeviationInside(const double* values, size_t n,
                                         const ValueWindow& window);

// Returns the Pearson correlation of x and y over n pairs: 0 for fewer than
// two pairs or when either side has no variance.
double PearsonCorrelation(const double* x, const double* y, size_t n);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_MOMENTS_H_
