// The variogram cloud: one point per pair of samples, its separation
// distance in the horizontal plane against half its squared difference.
// The pair numbers go with it, for the cloud's location map. Large sets are
// shown by a bounded, reproducible sample of their pairs.
#ifndef TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_
#define TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
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

// Returns the number of pair (i, j), i < j, of count samples, in the order
// (0, 1), (0, 2), ..., (0, count - 1), (1, 2), ...
int64_t PairNumber(int64_t count, int64_t i, int64_t j);

// A cloud of at most a given number of points standing for all the pairs.
struct SampledCloud {
  VariogramCloud cloud;
  int64_t total_pairs = 0;        // pairs of the samples, shown or not
  std::vector<LONG> highlighted;  // point numbers in cloud, largest first
};

// Returns every pair when there are at most max_points (in pair order),
// else a uniform random sample of them drawn with a fixed seed (the same
// picture on every run) in pair order. highlighted: the count pairs of
// largest semivariance among all pairs closer than short_distance (ties:
// lower pair first), which are always among the points; the sample makes
// room for them. progress may be null.
SampledCloud SampleVariogramCloud(const std::vector<KvDiscPnt>& samples,
                                  int64_t max_points, double short_distance,
                                  int count, ProgressLine* progress);

// Returns "1,000,000 of 199,990,000 pairs shown".
std::string ShownPairs(int64_t shown, int64_t total);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_CLOUD_H_
