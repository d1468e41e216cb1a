#include "siblings/korvalib/distribution_plots.h"

#include <algorithm>

#include "siblings/korvalib/empirical_distribution.h"
#include "siblings/korvalib/normal_quantile.h"
#include "siblings/korvalib/sort_order.h"

namespace korvalib {
namespace {

// The plotting position of the j-th of m points, j = 1 .. m.
double PlottingPosition(size_t j, size_t m) {
  return (static_cast<double>(j) - 0.5) / static_cast<double>(m);
}

}  // namespace

ProbabilityPlot ComputeProbabilityPlot(
    Buffer<double> values, const std::vector<double>& probabilities) {
  ProbabilityPlot plot;
  plot.axis_positions.reserve(probabilities.size());
  for (double p : probabilities) {
    plot.axis_positions.push_back(NormalQuantile(p));
  }
  SortAscending(values.data(), values.size());
  const size_t n = values.size();
  plot.pairs.resize(2 * n);
  for (size_t i = 0; i < n; ++i) {
    plot.pairs[2 * i] = values[i];
    plot.pairs[2 * i + 1] = NormalQuantile(PlottingPosition(i + 1, n));
  }
  return plot;
}

Buffer<double> ComputeQqPairs(Buffer<double> first, Buffer<double> second,
                              size_t max_pairs, bool probability_form) {
  const size_t m = std::min({first.size(), second.size(), max_pairs});
  if (m == 0) return {};
  SortAscending(first.data(), first.size());
  SortAscending(second.data(), second.size());
  const size_t n1 = first.size();
  const size_t n2 = second.size();
  Buffer<double> pairs(2 * m);  // every entry written below
  if (!probability_form) {
    for (size_t j = 1; j <= m; ++j) {
      const double p = PlottingPosition(j, m);
      pairs[2 * (j - 1)] = QuantileOfSorted(first.data(), n1, p);
      pairs[2 * (j - 1) + 1] = QuantileOfSorted(second.data(), n2, p);
    }
    return pairs;
  }
  // Thresholds over the overlap of the two ranges.
  const double low = std::max(first.front(), second.front());
  const double high = std::min(first.back(), second.back());
  if (low > high) return {};
  for (size_t j = 1; j <= m; ++j) {
    const double t = low + PlottingPosition(j, m) * (high - low);
    pairs[2 * (j - 1)] = CumulativeProbabilityOfSorted(first.data(), n1, t);
    pairs[2 * (j - 1) + 1] =
        CumulativeProbabilityOfSorted(second.data(), n2, t);
  }
  return pairs;
}

}  // namespace korvalib
