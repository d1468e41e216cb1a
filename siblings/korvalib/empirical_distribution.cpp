#include "siblings/korvalib/empirical_distribution.h"

#include <algorithm>
#include <cmath>

namespace korvalib {

double QuantileOfSorted(const double* sorted, size_t n, double p) {
  // Zero-based fractional position of p among the plotting positions.
  const double position = p * static_cast<double>(n) - 0.5;
  if (!(position > 0.0)) return sorted[0];
  if (position >= static_cast<double>(n - 1)) return sorted[n - 1];
  const size_t below = static_cast<size_t>(position);
  const double fraction = position - static_cast<double>(below);
  const double low = sorted[below];
  const double high = sorted[below + 1];
  return low + fraction * (high - low);
}

double CumulativeProbabilityOfSorted(const double* sorted, size_t n,
                                     double t) {
  const double count = static_cast<double>(n);
  if (t < sorted[0]) return 0.0;
  if (t >= sorted[n - 1]) return (count - 0.5) / count;
  // sorted[upper - 1] <= t < sorted[upper], with 1 <= upper <= n - 1.
  const size_t upper = static_cast<size_t>(
      std::upper_bound(sorted, sorted + n, t) - sorted);
  const double low = sorted[upper - 1];
  const double high = sorted[upper];
  const double fraction = (t - low) / (high - low);
  return (static_cast<double>(upper) - 0.5 + fraction) / count;
}

}  // namespace korvalib
