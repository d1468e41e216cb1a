#include "korvagraph/analysis/variogram_sums.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/pair_kernel.h"
#include "analysis/pair_loop.h"

namespace korvagraph::analysis {
namespace {

// Samples as the kernel reads them: coordinates and values in arrays.
struct Block {
  std::vector<double> x, y, value;

  void Add(const Samples& samples) {
    x.insert(x.end(), samples.x.begin(), samples.x.end());
    y.insert(y.end(), samples.y.begin(), samples.y.end());
    value.insert(value.end(), samples.value.begin(), samples.value.end());
  }
};

// Returns how far apart the bounding boxes of two sample sets lie: 0 when
// they overlap, NaN when a coordinate is not finite or a set is empty.
double BoxGap(const Samples& a, const Samples& b) {
  if (a.size() == 0 || b.size() == 0) return std::nan("");
  auto [ax0, ax1] = std::minmax_element(a.x.begin(), a.x.end());
  auto [ay0, ay1] = std::minmax_element(a.y.begin(), a.y.end());
  auto [bx0, bx1] = std::minmax_element(b.x.begin(), b.x.end());
  auto [by0, by1] = std::minmax_element(b.y.begin(), b.y.end());
  const double gx = std::max({0.0, *bx0 - *ax1, *ax0 - *bx1});
  const double gy = std::max({0.0, *by0 - *ay1, *ay0 - *by1});
  return std::hypot(gx, gy);
}

// Tallies the runs over block into *sums, shaped for loop.
Status Tally(const PairLoop& loop, const Block& block,
             const std::vector<PairRun>& runs, VariogramSums* sums) {
  PairTally tally(loop, kTableCopies);
  const PairArrays arrays{block.x.data(), block.y.data(), block.value.data(),
                          nullptr, static_cast<int64_t>(block.x.size())};
  TallyRuns(loop, arrays, runs.data(), runs.size(), &tally);
  loop.Fold(tally, sums);
  return Status::Ok();
}

bool SameShape(const VariogramSums& sums, size_t size) {
  return sums.pairs.size() == size && sums.distance.size() == size &&
         sums.squared.size() == size;
}

size_t SizeOf(const VariogramSums& sums) {
  return static_cast<size_t>(std::max(sums.directions, 0)) *
         static_cast<size_t>(std::max(sums.entries, 0));
}

}  // namespace

VariogramSums VariogramSums::Zero(int32_t directions, int32_t entries) {
  VariogramSums sums;
  sums.directions = directions;
  sums.entries = entries;
  const size_t size = SizeOf(sums);
  sums.pairs.assign(size, 0);
  sums.distance.assign(size, 0.0);
  sums.squared.assign(size, 0.0);
  return sums;
}

Status VariogramTileSums(const Samples& block, const LagSettings& lags,
                         const std::vector<Direction>& directions,
                         VariogramSums* sums) {
  const PairLoop loop(lags, directions);
  *sums = loop.EmptySums();
  Block arrays;
  arrays.Add(block);
  const size_t n = arrays.x.size();
  std::vector<PairRun> runs;
  for (size_t a = 0; a + 1 < n; ++a) runs.push_back({a, a + 1, n});
  return Tally(loop, arrays, runs, sums);
}

Status VariogramTileSums(const Samples& first, const Samples& second,
                         const LagSettings& lags,
                         const std::vector<Direction>& directions,
                         VariogramSums* sums) {
  const PairLoop loop(lags, directions);
  *sums = loop.EmptySums();
  // Blocks farther apart than the reach hold no pair that counts.
  if (BoxGap(first, second) > loop.Reach()) return Status::Ok();
  Block arrays;
  arrays.Add(first);
  arrays.Add(second);
  const size_t n = static_cast<size_t>(first.size());
  std::vector<PairRun> runs;
  for (size_t a = 0; a < n; ++a) runs.push_back({a, n, arrays.x.size()});
  return Tally(loop, arrays, runs, sums);
}

Status MergeVariogramSums(const VariogramSums& part, VariogramSums* total) {
  if (total->directions == 0 && total->entries == 0 && SameShape(*total, 0)) {
    *total = VariogramSums::Zero(part.directions, part.entries);
  }
  const size_t size = SizeOf(*total);
  if (part.directions != total->directions || part.entries != total->entries ||
      !SameShape(part, size) || !SameShape(*total, size)) {
    return Status::Failure(
        "variogram sums: expected parts of the same directions and lags");
  }
  for (size_t i = 0; i < size; ++i) {
    total->pairs[i] += part.pairs[i];
    total->distance[i] += part.distance[i];
    total->squared[i] += part.squared[i];
  }
  return Status::Ok();
}

Status VariogramRowsOf(const VariogramSums& sums,
                       std::vector<VariogramRow>* rows) {
  rows->clear();
  if (!SameShape(sums, SizeOf(sums))) {
    return Status::Failure(
        "variogram sums: expected directions x entries values");
  }
  rows->resize(static_cast<size_t>(std::max(sums.directions, 0)));
  const size_t entries = static_cast<size_t>(std::max(sums.entries, 0));
  for (size_t d = 0; d < rows->size(); ++d) {
    VariogramRow& row = (*rows)[d];
    row.assign(entries, Variogram{});
    for (size_t e = 0; e < entries; ++e) {
      const size_t at = d * entries + e;
      const int64_t pairs = sums.pairs[at];
      if (pairs == 0) continue;
      row[e].h = sums.distance[at] / pairs;
      row[e].gamma = 0.5 * sums.squared[at] / pairs;
      // The record holds 32 bits; more pairs than that saturate.
      row[e].npairs = static_cast<LONG>(
          std::min<int64_t>(pairs, std::numeric_limits<LONG>::max()));
    }
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
