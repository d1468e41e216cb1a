#include "siblings/korvalib/tie_runs.h"

#include <cstdint>

#include "siblings/korvalib/sort_order.h"

namespace korvalib {

Buffer<double> AverageRanks(const std::vector<double>& values) {
  Buffer<IndexedValue> sorted(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    sorted[i] = IndexedValue{values[i], static_cast<uint32_t>(i)};
  }
  SortByValue(sorted.data(), sorted.size());
  Buffer<double> ranks(values.size());  // every entry written below
  ForEachTieRun(
      sorted.size(), [&](size_t i) { return sorted[i].value; },
      [&](size_t first, size_t last, double rank) {
        for (size_t i = first; i < last; ++i) ranks[sorted[i].index] = rank;
      });
  return ranks;
}

}  // namespace korvalib
