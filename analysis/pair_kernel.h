// The pair loop's kernel: runs of pairs (a, b) of samples laid out as
// arrays, each pair's distance, direction tests and lag entry worked out for
// several pairs at once on vector lanes (Highway, dispatched at run time to
// the best instruction set the processor has), then added in pair order to
// a PairTally.
#ifndef ANALYSIS_PAIR_KERNEL_H_
#define ANALYSIS_PAIR_KERNEL_H_

#include <cstddef>
#include <cstdint>

#include "analysis/pair_loop.h"

namespace korvagraph::analysis {

// Pairs (a, b), b in [begin, end): positions in the arrays of PairArrays.
struct PairRun {
  size_t a;
  size_t begin;
  size_t end;
};

// The samples the runs index. number (null without close pairs) holds each
// sample's number among sample_count, for the pair numbers.
struct PairArrays {
  const double* x;
  const double* y;
  const double* value;
  const int32_t* number;
  int64_t sample_count;
};

// Adds the pairs of runs[0 .. count) to tally, in order.
void TallyRuns(const PairLoop& loop, const PairArrays& arrays,
               const PairRun* runs, size_t count, PairTally* tally);

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_KERNEL_H_
