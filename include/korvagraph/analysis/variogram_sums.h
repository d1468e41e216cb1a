// Variograms in pieces: the sums of the pair loop over one tile of pairs
// (sample block i against block j, i <= j), merged, then turned into the
// rows ExperimentalVariograms returns. Tiles may be computed anywhere (one
// process or many machines); merged in a fixed order (say i, then j) they
// give the same rows on any number of workers, equal to ExperimentalVariograms
// on the same samples: pair counts identical, distances and semivariances
// within 1e-12 relative (the sums are added in another order).
//
// VariogramSums is a plain value: two counts and three vectors, to be sent
// or stored as they are (a host may pickle it). Layout: the value of
// direction d (0 .. directions - 1) and entry e (0 .. entries - 1, the
// entries of a VariogramRow: entries = lags.count + 2) stands at index
// d * entries + e of each vector.
#ifndef KORVAGRAPH_ANALYSIS_VARIOGRAM_SUMS_H_
#define KORVAGRAPH_ANALYSIS_VARIOGRAM_SUMS_H_

#include <cstdint>
#include <vector>

#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {

struct VariogramSums {
  int32_t directions = 0;
  int32_t entries = 0;
  std::vector<int64_t> pairs;    // pairs counted
  std::vector<double> distance;  // sum of their distances
  std::vector<double> squared;   // sum of their squared value differences

  // Returns zero sums of that shape.
  static VariogramSums Zero(int32_t directions, int32_t entries);
};

// Computes into *sums the pairs within one block of samples (the tile i, i).
// Runs on the calling thread.
Status VariogramTileSums(const Samples& block, const LagSettings& lags,
                         const std::vector<Direction>& directions,
                         VariogramSums* sums);
// Computes into *sums the pairs of a sample of first with a sample of second
// (the tile i, j, i < j). Runs on the calling thread.
Status VariogramTileSums(const Samples& first, const Samples& second,
                         const LagSettings& lags,
                         const std::vector<Direction>& directions,
                         VariogramSums* sums);

// Adds part to *total, entry by entry; fails when their shapes differ. An
// empty *total (no directions, no entries) takes part's shape.
Status MergeVariogramSums(const VariogramSums& part, VariogramSums* total);

// Computes one row per direction from sums: each entry's mean distance,
// semivariance (half the mean squared difference) and pair count (beyond
// 2^31 - 1 saturated there); empty entries hold zeros. Fails when the
// vectors do not hold directions x entries values.
Status VariogramRowsOf(const VariogramSums& sums,
                       std::vector<VariogramRow>* rows);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_VARIOGRAM_SUMS_H_
