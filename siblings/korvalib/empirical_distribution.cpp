#include "siblings/korvalib/empirical_distribution.h"

#include <algorithm>
#include <cmath>

namespace korvalib {

double CumulativeProbabilityOfSorted(const double* sorted, size_t n, double t) {
  const double count = static_cast<double>(n);
  if (t < sorted[0]) return 0.0;
  if (t >= sorted[n - 1]) return (count - 0.5) / count;
  // sorted[upper - 1] <= t < sorted[upper], with 1 <= upper <= n - 1.
  const size_t upper =
      static_cast<size_t>(std::upper_bound(sorted, sorted + n, t) - sorted);
  const double low = sorted[upper - 1];
  const double high = sorted[upper];
  const double fraction = (t - low) / (high - low);
  return (static_cast<double>(upper) - 0.5 + fraction) / count;
}

}  // namespace korvalib
