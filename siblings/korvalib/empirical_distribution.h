// The empirical distribution of sorted values: the i-th smallest of n values
// (i = 1 .. n) stands at cumulative probability (i - 0.5) / n, with linear
// interpolation between neighbours and clamping beyond the ends.
#ifndef SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_
#define SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_

#include <cstddef>

namespace korvalib {

// Returns the value at cumulative probability p: the smallest value for
// p <= 0.5 / n, the largest for p >= (n - 0.5) / n.
// REQUIRES: sorted ascending, n >= 1.
double QuantileOfSorted(const double* sorted, size_t n, double p);

// Returns the cumulative probability of t, the inverse of QuantileOfSorted:
// 0.5 / n at the smallest value, (n - 0.5) / n from the largest value on,
// 0 below the smallest. A run of equal values takes the probability of its
// last member.
// REQUIRES: sorted ascending, n >= 1.
double CumulativeProbabilityOfSorted(const double* sorted, size_t n, double t);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_
