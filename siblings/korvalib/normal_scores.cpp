#include "siblings/korvalib/normal_scores.h"

#include <algorithm>
#include <cstdint>

#include "siblings/korvalib/normal_quantile.h"
#include "siblings/korvalib/sort_order.h"
#include "siblings/korvalib/tie_runs.h"

namespace korvalib {

size_t ComputeNormalScores(const std::vector<double>& values,
                           const ValueWindow& window, double* scores,
                           double* sorted_values, double* sorted_scores) {
  std::vector<IndexedValue> sorted;
  sorted.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    if (window.Contains(values[i])) {
      sorted.push_back(IndexedValue{values[i], static_cast<uint32_t>(i)});
    }
  }
  SortByValue(&sorted);

  // Outputs are written straight into the caller's arrays: a million
  // values make every intermediate copy count.
  if (scores != nullptr) std::fill(scores, scores + values.size(), kNoScore);
  const size_t n = sorted.size();
  const double count = static_cast<double>(n);
  ForEachTieRun(
      n, [&](size_t i) { return sorted[i].value; },
      [&](size_t first, size_t last, double rank) {
        const double score = NormalQuantile((rank - 0.5) / count);
        for (size_t i = first; i < last; ++i) {
          if (scores != nullptr) scores[sorted[i].index] = score;
          if (sorted_values != nullptr) sorted_values[i] = sorted[i].value;
          if (sorted_scores != nullptr) sorted_scores[i] = score;
        }
      });
  return n;
}

}  // namespace korvalib
