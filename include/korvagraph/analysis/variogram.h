// Experimental variograms of scattered samples in the horizontal plane,
// with the classic conventions:
// - Directions are azimuths in degrees clockwise from north (+y); a pair
//   counts in a direction when the angle between its separation and the
//   azimuth is within the angle tolerance (either side; separations are
//   unordered, so 0 and 180 are one direction) and its separation lies
//   within the bandwidth of the direction's axis. A tolerance of 90 or more
//   takes every pair; a bandwidth of 0 or less sets no limit.
// - Lags of a spacing (lag) and a tolerance, by the rule below; a row holds
//   count + 2 entries (the chart library's Variogram records):
//     entry 0      pairs at one place (h <= 1e-6 lag), which count in
//                  every direction and in no other entry,
//     entry 1      the first lag: pairs closer than the lags,
//     entry k + 1  lag k, k = 1 .. count.
//   Tolerance not set (0 or less): each pair counts in one entry at most.
//   Entry 1 holds 1e-6 lag < h < lag / 2; lag k holds |h - k lag| <= lag / 2,
//   and a pair exactly halfway between two lags counts in the upper one
//   only.
//   Tolerance t set (above 0), the classic convention: entry 1 holds
//   1e-6 lag < h <= t; lag k holds every pair with k lag - t <= h <= k lag + t
//   (computed as |h - k lag| <= t), both ends included, so that a pair
//   exactly on a boundary counts in every window it touches, and one may
//   count in two or more entries when t is half a lag or more.
//   An entry holds the mean distance of its pairs, the semivariance (half
//   the mean squared difference) and the pair count; empty entries hold
//   zeros. Pair counts beyond 2^31 - 1 saturate there.
// The sums are exact and do not depend on the number of cores: the pair
// loop runs in chunks on every core, each with its own sums, merged in
// chunk order. Pairs farther apart than the last lag reaches are passed
// over by a grid of cells before they are looked at; the rest are measured
// several at once on the processor's vector lanes, in double precision.
// variogram_sums.h computes the same in pieces.
#ifndef KORVAGRAPH_ANALYSIS_VARIOGRAM_H_
#define KORVAGRAPH_ANALYSIS_VARIOGRAM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/progress.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/status.h"

namespace korvagraph::analysis {

// The variogram charts skip entries of fewer pairs than this; a model is
// fitted to the entries that hold at least as many.
constexpr int kMinVariogramPairs = kKvMinVariogramPairs;

// Lags a variogram holds at most.
constexpr int kMaxLagCount = 1000;

struct LagSettings {
  double spacing = 1.0;
  int count = 1;
  // The lag tolerance asked for; 0 or less: not set (see the rule above).
  double tolerance = 0.0;

  // Returns the tolerance in force: the one set, else half the spacing.
  double Tolerance() const;
  // Returns the farthest distance a lag takes.
  double Reach() const { return count * spacing + Tolerance(); }
};

// Returns lags reaching half the diagonal of the samples' bounding box (the
// usual reach of a variogram), spaced by a round number (1, 2, 2.5 or 5
// times a power of ten) that gives about a dozen lags.
LagSettings DefaultLags(const Samples& samples);

// Returns the lags a host asked for: spacing (0: the default's) and count
// (0: as many as keep the default's reach, 1 to 1000), with the tolerance.
LagSettings ChooseLags(const Samples& samples, double spacing, int count,
                       double tolerance);

struct Direction {
  double azimuth = 0.0;     // degrees clockwise from north
  double tolerance = 90.0;  // degrees either side; 90: every direction
  double bandwidth = 0.0;   // 0 or less: no limit

  bool TakesEveryPair() const { return tolerance >= 90.0 && bandwidth <= 0; }
};

// The usual angle tolerance of four directions 45 degrees apart.
constexpr double kDirectionTolerance = 22.5;

using VariogramRow = std::vector<Variogram>;

// Computes one row of lags.count + 2 entries per direction into *rows.
// progress may be empty; a cancelled computation leaves *rows empty.
Status ExperimentalVariograms(const Samples& samples, const LagSettings& lags,
                              const std::vector<Direction>& directions,
                              std::vector<VariogramRow>* rows,
                              const ProgressCallback& progress = {});

// The rules a pair is counted by, for hosts that pick pairs out again.
// Returns true when a pair at distance h counts in entry `entry` of a row
// (it may count in several).
bool InLagEntry(double h, const LagSettings& lags, int entry);
// Returns the lowest entry of a row that a pair at distance h counts in, or
// -1 for none.
int LagEntry(double h, const LagSettings& lags);
// Returns true when the separation (dx, dy) lies within the direction's
// angle tolerance and bandwidth.
bool InDirection(double dx, double dy, const Direction& direction);

// The variogram map: the semivariance on a grid of separation vectors, the
// usual way to find the direction of anisotropy. Cell (i, j), i and j from
// -cells to cells, holds the pairs whose separation (dx, dy) rounds to
// (i lag, j lag); each pair counts at (dx, dy) and at (-dx, -dy), so the
// map is symmetric about its centre.
struct VariogramMap {
  double lag = 1.0;
  int cells = 1;
  std::vector<double> semivariance;  // (2 cells + 1)^2, by rows of j
  std::vector<int64_t> pairs;

  int side() const { return 2 * cells + 1; }
  // Returns the index of cell (i, j). REQUIRES: |i|, |j| <= cells.
  size_t At(int i, int j) const {
    return static_cast<size_t>(j + cells) * side() + (i + cells);
  }
};

// Computes the map of samples on cells of lag each way into *map; progress
// may be empty.
Status ComputeVariogramMap(const Samples& samples, double lag, int cells,
                           VariogramMap* map,
                           const ProgressCallback& progress = {});

// Returns the number of lags (entries past the first) of at least
// kMinVariogramPairs pairs, and their total pair count: what a chart draws.
int QualifyingLags(const VariogramRow& row);
int64_t QualifyingPairs(const VariogramRow& row);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_VARIOGRAM_H_
