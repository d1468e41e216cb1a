// The empirical distribution of sorted values: the i-th smallest of n values
// (i = 1 .. n) stands at cumulative probability (i - 0.5) / n, with linear
// interpolation between neighbours and clamping beyond the ends.
#ifndef SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_
#define SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_

#include <cstddef>

namespace korvalib {

// Returns the value at cumulative probability p of n values whose i-th
// smallest (0-based) is ranked(i): the smallest value for p <= 0.5 / n, the
// largest for p >= (n - 0.5) / n, else an interpolation of two neighbours.
// REQUIRES: n >= 1.
template <typename Ranked>
double QuantileOfRanked(size_t n, double p, Ranked ranked) {
  // Zero-based fractional position of p among the plotting positions.
  const double position = p * static_cast<double>(n) - 0.5;
  if (!(position > 0.0)) return ranked(0);
  if (position >= static_cast<double>(n - 1)) return ranked(n - 1);
  const size_t below = static_cast<size_t>(position);
  const double fraction = position - static_cast<double>(below);
  const double low = ranked(below);
  const double high = ranked(below + 1);
  return low + fraction * (high - low);
}

// The same over sorted values.
// REQUIRES: sorted ascending, n >= 1.
inline double QuantileOfSorted(const double* sorted, size_t n, double p) {
  return QuantileOfRanked(n, p, [sorted](size_t i) { return sorted[i]; });
}

// Returns the cumulative probability of t, the inverse of QuantileOfSorted:
// 0.5 / n at the smallest value, (n - 0.5) / n from the largest value on,
// 0 below the smallest. A run of equal values takes the probability of its
// last member.
// REQUIRES: sorted ascending, n >= 1.
double CumulativeProbabilityOfSorted(const double* sorted, size_t n, double t);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_EMPIRICAL_DISTRIBUTION_H_
