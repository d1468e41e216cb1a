// PairLoop: what one pass over the pairs of samples computes, in numbers
// the kernel (pair_kernel.h) takes: the lag rule, the directions prepared
// for testing in blocks, the table of sums by lag entry and set of
// directions that a pass fills, and the close pairs of largest semivariance
// that the cloud highlights.
#ifndef ANALYSIS_PAIR_LOOP_H_
#define ANALYSIS_PAIR_LOOP_H_

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "korvagraph/analysis/variogram.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {

// Directions tested together: a pair adds to one table entry per block of
// tested directions, that of its lag entry and of the set of the block's
// directions that take it.
constexpr size_t kDirectionBlock = 8;

// A direction prepared for the pair loop: a unit vector and the squared
// cosine of its tolerance, so that no angle is computed for any pair.
struct DirectionTest {
  double east = 0.0;  // unit vector along the azimuth
  double north = 1.0;
  // In the direction when dot^2 >= min_cos2 * h^2: -1 takes every pair,
  // infinity none.
  double min_cos2 = -1.0;
  double bandwidth;  // infinity: no limit

  explicit DirectionTest(const Direction& direction);
  bool TakesEveryPair() const;
};

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
};

// Sums of the pairs of one table entry.
struct PairSum {
  double distance = 0.0;
  double squared = 0.0;  // of the differences of the values
  int64_t pairs = 0;
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
  void Offer(const ClosePair& c);
  std::vector<ClosePair>& kept() { return heap_; }

 private:
  size_t count_;
  std::vector<ClosePair> heap_;
};

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

  // Returns the farthest a pair may be apart and still count, with slack.
  double Reach() const { return reach_; }
  const LagRule& rule() const { return rule_; }
  const std::vector<DirectionTest>& tests() const { return tests_; }
  size_t directions() const { return tests_.size(); }
  int entries() const { return rule_.count + 2; }
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
  // Adds a table's sums to the sums of each direction that takes them.
  void Fold(const std::vector<PairSum>& table, VariogramSums* sums) const;

 private:
  LagRule rule_;
  std::vector<DirectionTest> tests_;
  std::vector<DirectionBlock> blocks_;
  size_t table_size_ = 0;
  double short_distance_;
  size_t highlight_;
  double reach_;
};

// Sums past a table's entries, where the kernel adds pairs that count
// nowhere (one per vector lane).
constexpr size_t kSpareSums = 16;

// The sums of the pairs of one piece of work, in pair order.
struct PairTally {
  std::vector<PairSum> table;  // PairLoop::TableSize() entries, then spares
  BestClosePairs best;

  explicit PairTally(const PairLoop& loop)
      : table(loop.TableSize() + kSpareSums), best(loop.highlight()) {}
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
    if (std::fabs(h - k * spacing) <= tolerance) add(k + 1);
  }
}

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_LOOP_H_
