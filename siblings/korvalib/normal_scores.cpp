#include "siblings/korvalib/normal_scores.h"

#include <cstdint>

#include "siblings/korvalib/normal_quantile.h"
#include "siblings/korvalib/sort_order.h"
#include "siblings/korvalib/tie_runs.h"

namespace korvalib {

NormalScores ComputeNormalScores(const std::vector<double>& values,
                                 const ValueWindow& window) {
  NormalScores result;
  result.scores.assign(values.size(), kNoScore);
  std::vector<double> valid;
  std::vector<uint32_t> source;  // index into values of each valid value
  valid.reserve(values.size());
  source.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    if (window.Contains(values[i])) {
      valid.push_back(values[i]);
      source.push_back(static_cast<uint32_t>(i));
    }
  }
  const size_t n = valid.size();
  const std::vector<uint32_t> order = AscendingOrder(valid);
  result.sorted_values.resize(n);
  result.sorted_scores.resize(n);
  for (size_t i = 0; i < n; ++i) result.sorted_values[i] = valid[order[i]];

  const double count = static_cast<double>(n);
  ForEachTieRun(
      n, [&](size_t i) { return result.sorted_values[i]; },
      [&](size_t first, size_t last, double rank) {
        const double score = NormalQuantile((rank - 0.5) / count);
        for (size_t i = first; i < last; ++i) {
          result.sorted_scores[i] = score;
          result.scores[source[order[i]]] = score;
        }
      });
  return result;
}

}  // namespace korvalib
