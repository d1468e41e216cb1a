// PairLoop: what one pass over the pairs of samples computes, in numbers
// the kernel (pair_kernel.h) takes: the lag rule, the directions prepared
// for testing in blocks, the table of sums by lag entry and set of
// directions that a pass fills, and the close pairs of largest semivariance
// that the cloud highlights. The rules' arithmetic lives in pair_loop.cpp,
// built, as the kernel is, without contracted multiply-adds, so that hosts
// picking pairs out again count them exactly as the kernel does.
#ifndef ANALYSIS_PAIR_LOOP_H_
#define ANALYSIS_PAIR_LOOP_H_

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "korvagraph/analysis/variogram.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {

// Directions tested together: a pair adds to one table entry per block of
// tested directions, that of its lag entry and of the set of the block's
// directions that take it.
constexpr size_t kDirectionBlock = 8;

// A direction prepared for the pair loop, so that no angle is computed for
// any pair: a separation (dx, dy) at azimuth phi lies within the tolerance t
// of azimuth theta when cos 2(phi - theta) >= cos 2t, that is when
//   (dy^2 - dx^2) cos 2 theta + dx dy (2 sin 2 theta) >= cos 2t (dx^2 + dy^2)
// (the left side computed with one fused multiply-add: Takes), and within
// the bandwidth when |dx north - dy east| <= bandwidth.
struct DirectionTest {
  double cos2 = 1.0;       // cos 2 theta
  double sin2 = 0.0;       // 2 sin 2 theta
  double min_cos2 = -2.0;  // cos 2t; -2 takes every pair, infinity none
  double east = 0.0;       // unit vector along the azimuth
  double north = 1.0;
  double bandwidth;  // infinity: no limit

  explicit DirectionTest(const Direction& direction);
  bool TakesEveryPair() const;
  // Returns true when the separation lies within the angle tolerance, and
  // within the bandwidth, as the kernel computes them.
  bool Takes(double dx, double dy) const;
  bool InBand(double dx, double dy) const;
};

// Returns the distance of a separation, as the kernel computes it.
double PairDistance(double dx, double dy);

// The lag rule of variogram.h in numbers. entry 0: pairs at one place;
// entry 1: the first lag; entry k + 1: lag k.
struct LagRule {
  double spacing;
  double tolerance;   // in force
  double same_place;  // distance at or below which a pair is at one place
  int count;          // lags
  bool tolerance_set;
  // True when every pair counts in one entry at most, the nearest lag's.
  bool single;

  explicit LagRule(const LagSettings& lags);

  // Calls add(entry) for each entry a pair at distance h counts in, lowest
  // first.
  template <typename Add>
  void ForEachEntry(double h, Add add) const;
  // Returns the one entry of a pair at distance h, or -1. REQUIRES: single.
  int NearestEntry(double h) const;
  // Returns true when |h - k spacing| <= tolerance.
  bool InLag(double h, int k) const;
};

// Sums of the pairs of one table entry: four doubles the kernel adds to at
// once, the count among them (exact up to 2^53).
struct alignas(32) PairSum {
  double distance = 0.0;
  double squared = 0.0;  // of the differences of the values
  double pairs = 0.0;
  double scratch = 0.0;  // takes the fourth double of each addition
};

// A pair the cloud may highlight: its semivariance and pair number.
struct ClosePair {
  double semivariance;
  int64_t pair;
};

// Larger semivariance first, then the lower pair.
bool Before(const ClosePair& a, const ClosePair& b);

// Keeps the count best pairs it is offered; the worst kept on top.
class BestClosePairs {
 public:
  explicit BestClosePairs(size_t count = 0) : count_(count) {}
  // Returns true when c would be kept.
  bool Wants(const ClosePair& c) const {
    return heap_.size() < count_ || (count_ > 0 && Before(c, heap_.front()));
  }
  // Returns the semivariance below which no pair is kept.
  double Threshold() const {
    return heap_.size() < count_ ? -std::numeric_limits<double>::infinity()
                                 : heap_.front().semivariance;
  }
  void Offer(const ClosePair& c);
  std::vector<ClosePair>& kept() { return heap_; }

 private:
  size_t count_;
  std::vector<ClosePair> heap_;
};

struct PairTally;

// A block of tested directions and where its sums lie in a table: by lag
// entry, then by set (bit t of a set: the block's direction t takes the
// pair).
struct DirectionBlock {
  std::vector<size_t> directions;  // the directions tested, in order
  size_t offset = 0;               // of its first sum in a table
  size_t sets() const { return size_t{1} << directions.size(); }
};

// What one pass over the pairs computes: variogram sums for lags and
// directions (none: no sums) and the `highlight` pairs of largest
// semivariance closer than short_distance (0: none).
class PairLoop {
 public:
  PairLoop(const LagSettings& lags, const std::vector<Direction>& directions,
           double short_distance = 0.0, int highlight = 0);

  // Returns the farthest a pair may be apart and still count, with slack:
  // in the variograms' lags (0 without directions), or at all.
  double LagReach() const { return lag_reach_; }
  double Reach() const { return reach_; }
  const LagRule& rule() const { return rule_; }
  const std::vector<DirectionTest>& tests() const { return tests_; }
  size_t directions() const { return tests_.size(); }
  int entries() const { return rule_.count + 2; }
  // Entries of each set in a table: those of a row, and one past the last
  // lag, which takes the pairs the kernel finds there and is never read.
  size_t TableEntries() const { return static_cast<size_t>(entries()) + 1; }
  double short_distance() const { return short_distance_; }
  size_t highlight() const { return highlight_; }
  // The blocks of the directions that need a test; one, perhaps empty,
  // whenever there are directions. Directions that take every pair are in
  // none: they take every pair of any block.
  const std::vector<DirectionBlock>& blocks() const { return blocks_; }
  // Sums of a table: those of every block.
  size_t TableSize() const { return table_size_; }
  // Returns empty sums of the loop's shape.
  VariogramSums EmptySums() const;
  // Adds a tally's sums (its copies added in order) to the sums of each
  // direction that takes them.
  void Fold(const PairTally& tally, VariogramSums* sums) const;

 private:
  LagRule rule_;
  std::vector<DirectionTest> tests_;
  std::vector<DirectionBlock> blocks_;
  size_t table_size_ = 0;
  double short_distance_;
  size_t highlight_;
  double lag_reach_;
  double reach_;
};

// Sums past a table's entries, where the kernel adds pairs that count
// nowhere (one per vector lane).
constexpr size_t kSpareSums = 16;

// Copies of the table a large piece of work keeps (see PairTally).
constexpr size_t kTableCopies = 4;

// The sums of the pairs of one piece of work, in pair order, in `copies`
// copies of the table (a power of two): the kernel adds pair k of its
// buffer to copy k mod copies, so that with several copies the processor
// seldom waits for the previous addition to the same sum; with one, every
// sum is added to in pair order.
struct PairTally {
  size_t copies;
  std::vector<PairSum> table;  // copies x (TableSize() + kSpareSums)
  BestClosePairs best;

  PairTally(const PairLoop& loop, size_t copies)
      : copies(copies),
        table(copies * (loop.TableSize() + kSpareSums)),
        best(loop.highlight()) {}
};

template <typename Add>
void LagRule::ForEachEntry(double h, Add add) const {
  if (h <= same_place) {
    add(0);
    return;
  }
  if (single) {
    const int entry = NearestEntry(h);
    if (entry >= 0) add(entry);
    return;
  }
  if (h <= tolerance) add(1);
  // The lags whose window may hold h, one more each side against rounding;
  // each is then tested as written.
  const double low = std::max(1.0, (h - tolerance) / spacing - 1.0);
  const double high = std::min<double>(count, (h + tolerance) / spacing + 1.0);
  for (int k = static_cast<int>(low); k <= high; ++k) {
    if (InLag(h, k)) add(k + 1);
  }
}

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_LOOP_H_
