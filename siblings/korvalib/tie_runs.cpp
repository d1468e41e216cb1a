#include "siblings/korvalib/tie_runs.h"

#include <cstdint>

#include "siblings/korvalib/sort_order.h"

namespace korvalib {

std::vector<double> AverageRanks(const std::vector<double>& values) {
  const std::vector<uint32_t> order = AscendingOrder(values);
  std::vector<double> ranks(values.size());
  ForEachTieRun(
      order.size(), [&](size_t i) { return values[order[i]]; },
      [&](size_t first, size_t last, double rank) {
        for (size_t i = first; i < last; ++i) ranks[order[i]] = rank;
      });
  return ranks;
}

}  // namespace korvalib
