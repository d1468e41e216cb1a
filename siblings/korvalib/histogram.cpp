#include "siblings/korvalib/histogram.h"

#include <algorithm>
#include <utility>

#include "siblings/korvalib/empirical_distribution.h"
#include "siblings/korvalib/moments.h"
#include "siblings/korvalib/order_statistics.h"
#include "siblings/korvalib/sort_order.h"
#include "siblings/korvalib/two_way.h"

namespace korvalib {
namespace {

// Cumulative probabilities of the lower quartile, median, upper quartile.
constexpr double kQuartiles[] = {0.25, 0.5, 0.75};

// Returns the class (0 .. C-1) of value; the last class is closed on the
// right. A degenerate range (zero or infinite width) puts every value in the
// first class. The cast happens only in range, so it is always defined.
size_t ClassIndex(double value, const ValueWindow& range, int class_count) {
  const double t =
      (value - range.minimum) / (range.maximum - range.minimum) * class_count;
  if (t >= class_count) return static_cast<size_t>(class_count - 1);
  if (t > 0.0) return static_cast<size_t>(t);
  return 0;
}

// Returns the class frequencies (C + 1 entries, entry 0 = 0) of the values
// inside the class range, and their count in *n.
Buffer<double> ClassFrequencies(const Column& loaded,
                                const HistogramSettings& settings, size_t* n) {
  const ValueWindow& range = settings.class_range;
  const size_t classes =
      settings.class_count > 0 ? static_cast<size_t>(settings.class_count) : 0;
  std::vector<size_t> tally(classes, 0);
  size_t inside = 0;
  for (double v : loaded) {
    if (!range.Contains(v)) continue;
    ++inside;
    if (classes > 0) ++tally[ClassIndex(v, range, settings.class_count)];
  }
  *n = inside;
  if (settings.class_count < 0) return {};
  Buffer<double> entries(classes + 1, 0.0);
  if (inside == 0) return entries;
  const double count = static_cast<double>(inside);
  for (size_t c = 0; c < classes; ++c) {
    entries[c + 1] = static_cast<double>(tally[c]) / count;
  }
  return entries;
}

// Writes the extremes and quartiles of the values inside range, found by
// selection: no copy, no sort. Writes nothing when no value is inside.
void SelectQuartiles(const Column& loaded, const ValueWindow& range,
                     HistogramResult* result) {
  const RankedValues inside(loaded.data(), loaded.size(), range);
  const size_t n = inside.count();
  if (n == 0) return;
  // The ranks each statistic reads, recorded by asking for them once.
  std::vector<size_t> ranks = {0, n - 1};
  for (double p : kQuartiles) {
    QuantileOfRanked(n, p, [&ranks](size_t i) {
      ranks.push_back(i);
      return 0.0;
    });
  }
  const std::vector<double> found = inside.ValuesOf(ranks);
  auto ranked = [&](size_t i) {
    return found[static_cast<size_t>(std::find(ranks.begin(), ranks.end(), i) -
                                     ranks.begin())];
  };
  result->minimum = ranked(0);
  result->maximum = ranked(n - 1);
  result->lower_quartile = QuantileOfRanked(n, kQuartiles[0], ranked);
  result->median = QuantileOfRanked(n, kQuartiles[1], ranked);
  result->upper_quartile = QuantileOfRanked(n, kQuartiles[2], ranked);
}

Buffer<double> CumulativeValues(Buffer<double> sorted, int quantile_count) {
  const size_t n = sorted.size();
  if (quantile_count <= 1 || static_cast<size_t>(quantile_count) >= n) {
    return sorted;
  }
  const size_t q = static_cast<size_t>(quantile_count);
  Buffer<double> entries(q);
  for (size_t i = 0; i < q; ++i) {
    entries[i] =
        QuantileOfSorted(sorted.data(), n, (static_cast<double>(i) + 0.5) / q);
  }
  return entries;
}

}  // namespace

HistogramResult ComputeHistogram(const Column& loaded,
                                 const HistogramSettings& settings) {
  HistogramResult result;
  size_t n = 0;
  Buffer<double> frequencies;
  MeanDeviation moments;
  // Class tally and moments on one side, the order statistics of the
  // frequency kind on the other: independent passes over the same values.
  auto tally = [&] {
    frequencies = ClassFrequencies(loaded, settings, &n);
    moments = ComputeMeanDeviationInside(loaded.data(), loaded.size(),
                                         settings.class_range);
  };
  auto order = [&] {
    if (!settings.cumulative) {
      SelectQuartiles(loaded, settings.class_range, &result);
    }
  };
  if (WorthTwoWays(loaded.size())) {
    RunTwoWays(tally, order);
  } else {
    tally();
    order();
  }
  result.count = static_cast<int32_t>(n);
  result.left_out = static_cast<int32_t>(loaded.size()) - result.count;
  result.mean = moments.mean;
  result.deviation = moments.deviation;
  if (!settings.cumulative) {
    result.entries = std::move(frequencies);
    if (!result.entries.empty()) {
      result.maximum_frequency =
          *std::max_element(result.entries.begin(), result.entries.end());
    }
    return result;
  }
  result.maximum_frequency = 1.0;
  if (n == 0) return result;
  // The cumulative values need the full order.
  Buffer<double> values = Select(loaded, settings.class_range);
  SortAscending(values.data(), n);
  result.minimum = values.front();
  result.maximum = values.back();
  result.lower_quartile = QuantileOfSorted(values.data(), n, kQuartiles[0]);
  result.median = QuantileOfSorted(values.data(), n, kQuartiles[1]);
  result.upper_quartile = QuantileOfSorted(values.data(), n, kQuartiles[2]);
  result.entries = CumulativeValues(std::move(values), settings.quantile_count);
  return result;
}

}  // namespace korvalib
