#include "korvagraph/analysis/variogram_sums.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/variogram_rows.h"

namespace korvagraph::analysis {
namespace {

// Returns the samples first .. first + count - 1 (fewer at the end).
Samples Block(const Samples& all, int64_t first, int64_t count) {
  Samples block;
  for (int64_t i = first; i < std::min(first + count, all.size()); ++i) {
    block.Append(all.x[i], all.y[i], 0.0, all.value[i], std::nan(""), i);
  }
  return block;
}

// The tiles (i, j), i <= j, of blocks of block_size samples, each computed
// on its own and merged in the order i, then j.
std::vector<VariogramRow> TiledRows(const Samples& samples, int64_t block_size,
                                    const LagSettings& lags,
                                    const std::vector<Direction>& directions) {
  const int64_t blocks = (samples.size() + block_size - 1) / block_size;
  VariogramSums total;
  for (int64_t i = 0; i < blocks; ++i) {
    const Samples first = Block(samples, i * block_size, block_size);
    for (int64_t j = i; j < blocks; ++j) {
      VariogramSums tile;
      const Status status =
          i == j ? VariogramTileSums(first, lags, directions, &tile)
                 : VariogramTileSums(first,
                                     Block(samples, j * block_size, block_size),
                                     lags, directions, &tile);
      EXPECT_TRUE(status.ok());
      EXPECT_TRUE(MergeVariogramSums(tile, &total).ok());
    }
  }
  std::vector<VariogramRow> rows;
  EXPECT_TRUE(VariogramRowsOf(total, &rows).ok());
  return rows;
}

// Tiles of blocks that divide the sample count and blocks that do not,
// merged in order, give the one-call variograms.
TEST(VariogramSumsTest, MergedTilesEqualOneCall) {
  const Samples samples = Scattered(3000, 100.0, 27);
  const std::vector<Direction> directions = {
      {0, 90}, {0, 22.5}, {45, 22.5}, {90, 22.5}, {135, 22.5}, {60, 30, 2.0}};
  const struct {
    int64_t block;
    LagSettings lags;
  } cases[] = {{1000, {5.0, 12}},
               {700, {5.0, 12}},
               {3000, {2.0, 6, 1.5}},
               {64, {1.0, 5}}};
  for (const auto& row : cases) {
    std::vector<VariogramRow> one_call;
    ASSERT_TRUE(
        ExperimentalVariograms(samples, row.lags, directions, &one_call).ok());
    ExpectRowsNear(TiledRows(samples, row.block, row.lags, directions),
                   one_call, "blocks of " + std::to_string(row.block));
  }
}

// Sums of other lags or directions are not merged.
TEST(VariogramSumsTest, MergeRefusesAnotherShape) {
  VariogramSums total = VariogramSums::Zero(2, 5);
  EXPECT_TRUE(MergeVariogramSums(VariogramSums::Zero(2, 5), &total).ok());
  EXPECT_FALSE(MergeVariogramSums(VariogramSums::Zero(3, 5), &total).ok());
  VariogramSums broken = VariogramSums::Zero(2, 5);
  broken.squared.pop_back();
  std::vector<VariogramRow> rows;
  EXPECT_FALSE(VariogramRowsOf(broken, &rows).ok());
}

}  // namespace
}  // namespace korvagraph::analysis
