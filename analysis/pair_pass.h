// One pass over the pairs of located samples on every core: the pairs
// within a PairLoop's reach, found through a PairGrid, tallied by the
// kernel in chunks whose sums are merged in chunk order, so that the result
// does not depend on the number of cores.
#ifndef ANALYSIS_PAIR_PASS_H_
#define ANALYSIS_PAIR_PASS_H_

#include <cstdint>
#include <vector>

#include "analysis/pair_loop.h"
#include "korvagraph/analysis/progress.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {

struct PairPassResult {
  VariogramSums sums;
  // The loop's highlight pairs (pair numbers), largest semivariance first.
  std::vector<int64_t> close_pairs;
};

// Runs loop over samples into *result; progress is told under step and may
// cancel (Status::Cancelled()).
Status RunPairPass(const Samples& samples, const PairLoop& loop,
                   const char* step, const ProgressCallback& progress,
                   PairPassResult* result);

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_PASS_H_
