#include "siblings/korvalib/tie_runs.h"

#include <cstdint>

#include "siblings/korvalib/sort_order.h"

namespace korvalib {

std::vector<double> AverageRanks(const std::vector<double>& values) {
  std::vector<IndexedValue> sorted(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    sorted[i] = IndexedValue{values[i], static_cast<uint32_t>(i)};
  }
  SortByValue(&sorted);
  std::vector<double> ranks(values.size());
  ForEachTieRun(
      sorted.size(), [&](size_t i) { return sorted[i].value; },
      [&](size_t first, size_t last, double rank) {
        for (size_t i = first; i < last; ++i) ranks[sorted[i].index] = rank;
      });
  return ranks;
}

}  // namespace korvalib
