#include "siblings/korvalib/normal_scores.h"

#include <algorithm>
#include <cstdint>

#include "siblings/korvalib/normal_quantile.h"
#include "siblings/korvalib/sort_order.h"
#include "siblings/korvalib/tie_runs.h"
#include "siblings/korvalib/two_way.h"

namespace korvalib {

size_t ComputeNormalScores(const Column& values, const ValueWindow& window,
                           double* scores, double* sorted_values,
                           double* sorted_scores) {
  Buffer<IndexedValue> sorted;
  sorted.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    if (window.Contains(values[i])) {
      sorted.push_back(IndexedValue{values[i], static_cast<uint32_t>(i)});
    }
  }
  SortByValue(sorted.data(), sorted.size());

  // Outputs are written straight into the caller's arrays, each entry once:
  // a million values make every intermediate copy count.
  if (scores != nullptr) {
    for (size_t i = 0; i < values.size(); ++i) {
      if (!window.Contains(values[i])) scores[i] = kKvNoValue;
    }
  }
  const size_t n = sorted.size();
  const double count = static_cast<double>(n);
  auto at = [&](size_t i) { return sorted[i].value; };
  auto score_runs = [&](size_t begin, size_t end) {
    ForEachTieRunIn(begin, end, at,
                    [&](size_t first, size_t last, double rank) {
                      const double score = NormalQuantile((rank - 0.5) / count);
                      for (size_t i = first; i < last; ++i) {
                        if (scores != nullptr) scores[sorted[i].index] = score;
                        if (sorted_values != nullptr)
                          sorted_values[i] = sorted[i].value;
                        if (sorted_scores != nullptr) sorted_scores[i] = score;
                      }
                    });
  };
  if (WorthTwoWays(n)) {
    // The second half starts with a run of its own.
    size_t middle = n / 2;
    while (middle < n && at(middle) == at(middle - 1)) ++middle;
    RunTwoWays([&] { score_runs(0, middle); }, [&] { score_runs(middle, n); });
  } else {
    score_runs(0, n);
  }
  return n;
}

}  // namespace korvalib
