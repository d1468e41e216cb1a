#include "siblings/korvalib/histogram.h"

#include <algorithm>
#include <utility>

#include "siblings/korvalib/empirical_distribution.h"
#include "siblings/korvalib/moments.h"
#include "siblings/korvalib/sort_order.h"

namespace korvalib {
namespace {

// Returns the class (0 .. C-1) of value; the last class is closed on the
// right. A degenerate range (zero or infinite width) puts every value in the
// first class. The cast happens only in range, so it is always defined.
size_t ClassIndex(double value, const ValueWindow& range, int class_count) {
  const double t = (value - range.minimum) / (range.maximum - range.minimum) *
                   class_count;
  if (t >= class_count) return static_cast<size_t>(class_count - 1);
  if (t > 0.0) return static_cast<size_t>(t);
  return 0;
}

std::vector<double> ClassFrequencies(const std::vector<double>& values,
                                     const HistogramSettings& settings) {
  if (settings.class_count < 0) return {};
  const size_t classes = static_cast<size_t>(settings.class_count);
  std::vector<double> entries(classes + 1, 0.0);
  if (classes == 0 || values.empty()) return entries;
  std::vector<size_t> tally(classes, 0);
  for (double v : values) {
    ++tally[ClassIndex(v, settings.class_range, settings.class_count)];
  }
  const double n = static_cast<double>(values.size());
  for (size_t c = 0; c < classes; ++c) {
    entries[c + 1] = static_cast<double>(tally[c]) / n;
  }
  return entries;
}

std::vector<double> CumulativeValues(std::vector<double> sorted,
                                     int quantile_count) {
  const size_t n = sorted.size();
  if (quantile_count <= 1 || static_cast<size_t>(quantile_count) >= n) {
    return sorted;
  }
  const size_t q = static_cast<size_t>(quantile_count);
  std::vector<double> entries(q);
  for (size_t i = 0; i < q; ++i) {
    entries[i] = QuantileOfSorted(sorted.data(), n,
                                  (static_cast<double>(i) + 0.5) / q);
  }
  return entries;
}

}  // namespace

HistogramResult ComputeHistogram(std::vector<double> values,
                                 int32_t loaded_count,
                                 const HistogramSettings& settings) {
  HistogramResult result;
  const size_t n = values.size();
  result.count = static_cast<int32_t>(n);
  result.left_out = loaded_count - result.count;
  if (settings.cumulative) {
    result.maximum_frequency = 1.0;
  } else {
    result.entries = ClassFrequencies(values, settings);
    if (!result.entries.empty()) {
      result.maximum_frequency =
          *std::max_element(result.entries.begin(), result.entries.end());
    }
  }
  if (n == 0) return result;

  const MeanDeviation moments = ComputeMeanDeviation(values.data(), n);
  result.mean = moments.mean;
  result.deviation = moments.deviation;
  SortAscending(&values);
  result.minimum = values.front();
  result.maximum = values.back();
  result.lower_quartile = QuantileOfSorted(values.data(), n, 0.25);
  result.median = QuantileOfSorted(values.data(), n, 0.5);
  result.upper_quartile = QuantileOfSorted(values.data(), n, 0.75);
  if (settings.cumulative) {
    result.entries =
        CumulativeValues(std::move(values), settings.quantile_count);
  }
  return result;
}

}  // namespace korvalib
