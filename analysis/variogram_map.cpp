// The variogram map: pairs binned by their separation vector over a grid,
// on every core, each chunk's sums merged in chunk order.
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/chunk_runner.h"
#include "analysis/pair_grid.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {
namespace {

constexpr int kChunks = 64;

struct CellSums {
  std::vector<double> squares;  // of the differences
  std::vector<int64_t> pairs;
};

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
  std::vector<CellSums> chunk_sums(grid.ChunkWork().size());
  auto run_chunk = [&](int chunk) {
    CellSums sums{std::vector<double>(size, 0.0),
                  std::vector<int64_t>(size, 0)};
    grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
      for (size_t b = begin; b < end; ++b) {
        const double i = std::round((x[b] - x[a]) / lag);
        const double j = std::round((y[b] - y[a]) / lag);
        if (!(std::fabs(i) <= cells && std::fabs(j) <= cells)) continue;
        const double diff = value[b] - value[a];
        for (const size_t at :
             {map->At(static_cast<int>(i), static_cast<int>(j)),
              map->At(static_cast<int>(-i), static_cast<int>(-j))}) {
          sums.squares[at] += diff * diff;
          ++sums.pairs[at];
        }
      }
    });
    chunk_sums[chunk] = std::move(sums);
  };
  if (!RunChunks(grid.ChunkWork(), run_chunk, "variogram map", progress)) {
    return Status::Cancelled();
  }
  std::vector<double> squares(size, 0.0);
  for (const CellSums& part : chunk_sums) {
    for (size_t c = 0; c < size; ++c) {
      squares[c] += part.squares[c];
      map->pairs[c] += part.pairs[c];
    }
  }
  for (size_t c = 0; c < size; ++c) {
    if (map->pairs[c] > 0) {
      map->semivariance[c] = 0.5 * squares[c] / map->pairs[c];
    }
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
