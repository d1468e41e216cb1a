// The variogram map: pairs binned by their separation vector over a grid,
// on every core, each chunk's sums merged in chunk order.
#include <cmath>
#include <vector>

#include "analysis/chunk_runner.h"
#include "analysis/map_kernel.h"
#include "analysis/pair_grid.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {
namespace {

constexpr int kChunks = 64;


}  // namespace

Status ComputeVariogramMap(const Samples& samples, double lag, int cells,
                           VariogramMap* map,
                           const ProgressCallback& progress) {
  *map = VariogramMap();
  map->lag = lag;
  map->cells = cells;
  const size_t size = static_cast<size_t>(map->side()) * map->side();
  map->semivariance.assign(size, 0.0);
  map->pairs.assign(size, 0);
  if (!(lag > 0.0) || !std::isfinite(lag) || cells < 1) {
    return Status::Failure(
        "variogram map: expected a positive lag and at "
        "least one cell each way");
  }
  const double half = (cells + 0.5) * lag;  // farthest separation mapped
  const PairGrid grid(samples, half * std::sqrt(2.0) * (1.0 + 1e-9), kChunks);
  const std::vector<double>& x = grid.x();
  const std::vector<double>& y = grid.y();
  const std::vector<double>& value = grid.value();
  // Of each chunk, the map's sums (MapTable::sums).
  std::vector<std::vector<double>> chunk_sums(grid.ChunkWork().size());
  // Each pair is summed at its own separation, pairs off the map in spare
  // entries; the mirrored cell's share is added when the chunks are merged.
  auto run_chunk = [&](int chunk) {
    std::vector<double> sums(2 * (size + kMapSpares), 0.0);
    const MapTable table{lag, cells, sums.data()};
    grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
      TallyMapRun(x.data(), y.data(), value.data(), a, begin, end, table);
    });
    chunk_sums[chunk] = std::move(sums);
  };
  if (!RunChunks(grid.ChunkWork(), run_chunk, "variogram map", progress)) {
    return Status::Cancelled();
  }
  std::vector<double> total(size, 0.0);
  std::vector<int64_t> pairs(size, 0);
  for (const std::vector<double>& part : chunk_sums) {
    for (size_t c = 0; c < size; ++c) {
      total[c] += part[2 * c];
      pairs[c] += static_cast<int64_t>(part[2 * c + 1]);
    }
  }
  // Cell c and its mirror size - 1 - c hold each other's pairs.
  std::vector<double> squares(size, 0.0);
  for (size_t c = 0; c < size; ++c) {
    squares[c] = total[c] + total[size - 1 - c];
    map->pairs[c] = pairs[c] + pairs[size - 1 - c];
  }
  for (size_t c = 0; c < size; ++c) {
    if (map->pairs[c] > 0) {
      map->semivariance[c] = 0.5 * squares[c] / map->pairs[c];
    }
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
