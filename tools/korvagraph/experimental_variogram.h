// Experimental variograms of scattered samples in the horizontal plane.
// One row per direction, each of lag_count + 2 Variogram entries laid out as
// the variogram charts read them:
//   entry 0      pairs at the same place (distance ~0),
//   entry 1      pairs closer than half a lag,
//   entry k + 1  pairs within half a lag of k lags, k = 1 .. lag_count.
// An entry holds the mean distance of its pairs, the semivariance (half the
// mean squared difference) and the pair count; empty entries hold zeros.
#ifndef TOOLS_KORVAGRAPH_EXPERIMENTAL_VARIOGRAM_H_
#define TOOLS_KORVAGRAPH_EXPERIMENTAL_VARIOGRAM_H_

#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/progress_line.h"

// The variogram charts skip entries of fewer pairs than this.
constexpr int kMinPairs = 30;

struct LagSettings {
  double spacing = 1.0;
  int count = 1;
  // A pair counts in lag k when its distance is within this of k spacings;
  // 0 or less: half the spacing, so that the lags tile the distances.
  double tolerance = 0.0;
};

// Returns lags reaching half the diagonal of the samples' bounding box (the
// usual reach of a variogram), spaced by a round number that gives about a
// dozen lags.
LagSettings DefaultLags(const std::vector<KvDiscPnt>& samples);

// A direction: azimuth in degrees clockwise from north (+y), the angle
// tolerance either side, and the bandwidth: the largest distance of a pair's
// separation from the direction's axis. A tolerance of 90 or more takes every
// pair; a bandwidth of 0 or less sets no limit.
struct VariogramDirection {
  double azimuth = 0.0;
  double tolerance = 90.0;
  double bandwidth = 0.0;
};

constexpr double kDirectionTolerance = 22.5;

// Returns the four directions the charts show: 0, 45, 90 and 135 degrees.
std::vector<VariogramDirection> FourDirections();

// Returns one row of lags.count + 2 entries per direction, from samples'
// x, y and value. progress may be null.
std::vector<std::vector<Variogram>> ExperimentalVariograms(
    const std::vector<KvDiscPnt>& samples, const LagSettings& lags,
    const std::vector<VariogramDirection>& directions, ProgressLine* progress);

// The rules a pair is counted by, one pair at a time, for hosts that pick
// pairs out again (the workbench's pairs of one lag).
// Returns the entry of a row that a pair at distance h counts in, or -1.
int LagEntry(double h, const LagSettings& lags);
// Returns true when the separation (dx, dy) lies within the direction's
// angle tolerance and bandwidth.
bool InDirection(double dx, double dy, const VariogramDirection& direction);

// Returns the total pair count of the entries that a chart draws (30 pairs
// or more).
long QualifyingPairs(const std::vector<Variogram>& row);

#endif  // TOOLS_KORVAGRAPH_EXPERIMENTAL_VARIOGRAM_H_
