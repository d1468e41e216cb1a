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

// Returns the numbers of the count points of largest semivariance among
// those closer than max_distance, largest first (ties: lower number first):
// the pairs of neighbours that differ most, worth a look on the map.
std::vector<LONG> LargestAtShortDistance(const VariogramCloud& cloud,
                                         double max_distance, int count);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_
