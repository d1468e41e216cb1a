// The variogram cloud: one point per pair of samples, its separation
// distance in the horizontal plane against half its squared difference,
// with the pair's sample numbers. Large sets are shown by a bounded,
// reproducible sample of their pairs. Also the selections a host makes in
// it: the pairs of one variogram lag, the pairs inside a box, the samples
// most involved in a selection.
#ifndef KORVAGRAPH_ANALYSIS_CLOUD_H_
#define KORVAGRAPH_ANALYSIS_CLOUD_H_

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/progress.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {

struct VariogramCloud {
  std::vector<double> distance;
  std::vector<double> semivariance;
  std::vector<KVL_DOT> pairs;  // sample numbers (i < j) of each point
};

// Returns the number of pairs of count samples.
int64_t PairCount(int64_t count);
// Returns the number of pair (i, j), i < j, of count samples, in the order
// (0, 1), (0, 2), ..., (0, count - 1), (1, 2), ...
int64_t PairNumber(int64_t count, int64_t i, int64_t j);

// A cloud of at most a given number of points standing for all the pairs.
struct SampledCloud {
  VariogramCloud cloud;
  int64_t total_pairs = 0;        // pairs of the samples, shown or not
  std::vector<LONG> highlighted;  // point numbers in cloud, largest first
};

// Computes into *cloud every pair when there are at most max_points (in
// pair order), else a uniform random sample of them drawn with a fixed seed
// (the same picture on every run), in pair order. highlighted: the
// `highlight` pairs of largest semivariance among all pairs closer than
// short_distance (ties: lower pair first), which are always among the
// points; the sample makes room for them. progress may be empty.
Status SampleVariogramCloud(const Samples& samples, int64_t max_points,
                            double short_distance, int highlight,
                            SampledCloud* cloud,
                            const ProgressCallback& progress = {});

// Computes into *pairs the numbers (see PairNumber) of the `count` pairs of
// largest semivariance closer than short_distance, largest first (ties:
// lower pair first): the pairs SampleVariogramCloud highlights. progress
// may be empty.
Status LargestClosePairs(const Samples& samples, double short_distance,
                         int count, std::vector<int64_t>* pairs,
                         const ProgressCallback& progress = {});

// As SampleVariogramCloud, around highlighted pairs found already (as
// LargestClosePairs returns them; the first max_points are kept): no pass
// over the pairs.
void SampleVariogramCloudAround(const Samples& samples, int64_t max_points,
                                std::vector<int64_t> highlighted,
                                SampledCloud* cloud);

// Returns "1,000,000 of 199,990,000 pairs shown".
std::string ShownPairs(int64_t shown, int64_t total);

// A box in the cloud's units: distances and semivariances, edges included.
struct CloudBox {
  double distance_min = 0.0, distance_max = 0.0;
  double gamma_min = 0.0, gamma_max = 0.0;
};

// Returns the numbers of the cloud's points inside box.
std::vector<LONG> BoxPairs(const VariogramCloud& cloud, const CloudBox& box);

// Returns the numbers of the cloud's points whose pair counts in entry
// `entry` of direction's variogram, by the rules the variograms count
// pairs with (see variogram.h; a pair may count in several entries).
std::vector<LONG> LagPairs(const Samples& samples, const VariogramCloud& cloud,
                           const LagSettings& lags, const Direction& direction,
                           int entry);

// One sample and how many selected pairs it belongs to.
struct Involvement {
  LONG sample = 0;
  int pairs = 0;
};

// Returns the at most `count` samples in most of the selected points'
// pairs, most first (ties: lower sample number first).
std::vector<Involvement> MostInvolved(const VariogramCloud& cloud,
                                      const std::vector<LONG>& points,
                                      int count);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_CLOUD_H_
