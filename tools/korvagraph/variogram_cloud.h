// The variogram cloud: one point per pair of samples, its separation
// distance in the horizontal plane against half its squared difference.
// The pair numbers go with it, for the cloud's location map.
#ifndef TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_
#define TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_

#include <cstdint>
#include <vector>

#include "include/KorvaGraphLib.h"
#include "tools/korvagraph/progress_line.h"

struct VariogramCloud {
  std::vector<double> distance;
  std::vector<double> semivariance;
  std::vector<KVL_DOT> pairs;  // sample numbers of each point
};

// Returns the number of pairs of count samples.
int64_t PairCount(int64_t count);

// Returns the cloud of every pair of samples no farther apart than
// max_distance (every pair when max_distance <= 0). progress may be null.
VariogramCloud ComputeVariogramCloud(const std::vector<KvDiscPnt>& samples,
                                     double max_distance,
                                     ProgressLine* progress);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_
