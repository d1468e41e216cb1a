// The variogram map's pair loop on vector lanes: each pair's cell by the
// rounded separation, std::round(d / lag) each way, and its squared
// difference added to the cell's sums.
#ifndef ANALYSIS_MAP_KERNEL_H_
#define ANALYSIS_MAP_KERNEL_H_

#include <cstddef>
#include <cstdint>

namespace korvagraph::analysis {

// Entries past the map's cells that take the pairs off the map, lane by
// lane: no branch on a pair's place.
constexpr size_t kMapSpares = 16;

// The map a run of pairs is added to: cells each way of the centre; cell
// (i, j), number c = (j + cells) * (2 cells + 1) + i + cells, holds the sum
// of its squared differences at sums[2 c] and its pair count at
// sums[2 c + 1] (one place to add to, and a whole number of pairs exact
// below 2^53), then kMapSpares spare cells.
struct MapTable {
  double lag;
  int cells;
  double* sums;
};

// Adds the pairs (a, b), b from begin to end - 1, of the samples x, y,
// value to table, each at the cell of (x[b] - x[a], y[b] - y[a]).
void TallyMapRun(const double* x, const double* y, const double* value,
                 size_t a, size_t begin, size_t end, const MapTable& table);

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_MAP_KERNEL_H_
