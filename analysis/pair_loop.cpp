#include "analysis/pair_loop.h"

#include <limits>

namespace korvagraph::analysis {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNoLimit = std::numeric_limits<double>::infinity();
// Pairs closer than this fraction of a lag count as being at one place.
constexpr double kSamePlace = 1e-6;
// Angles within this many degrees of a direction's tolerance still count,
// so that separations exactly on its edge (such as 45 degrees) are kept.
constexpr double kAngleSlack = 1e-9;
// The cheap distance test keeps a little more than the reach; the exact
// tests follow.
constexpr double kReachSlack = 1.0 + 1e-9;
// A tolerance this close below half a lag may still let rounding put a
// pair in two lags: such tolerances take the rule for several.
constexpr double kSingleMargin = 1e-9;

// Returns the azimuth as the angle of an unordered separation: 0 to 180.
double HalfTurn(double azimuth) {
  const double a = std::fmod(azimuth, 180.0);
  return a < 0.0 ? a + 180.0 : a;
}

}  // namespace

DirectionTest::DirectionTest(const Direction& direction) : bandwidth(kNoLimit) {
  if (direction.tolerance >= 90.0) return;
  const double a = HalfTurn(direction.azimuth) * kPi / 180.0;
  cos2 = std::cos(2.0 * a);
  sin2 = 2.0 * std::sin(2.0 * a);
  east = std::sin(a);
  north = std::cos(a);
  const double tolerance = direction.tolerance + kAngleSlack;
  min_cos2 =
      tolerance < 0.0 ? kNoLimit : std::cos(2.0 * tolerance * kPi / 180.0);
  if (direction.bandwidth > 0.0) bandwidth = direction.bandwidth;
}

bool DirectionTest::Takes(double dx, double dy) const {
  const double d2 = dx * dx + dy * dy;
  return std::fma(dy * dy - dx * dx, cos2, dx * dy * sin2) >= min_cos2 * d2;
}

bool DirectionTest::InBand(double dx, double dy) const {
  return std::fabs(dx * north - dy * east) <= bandwidth;
}

double PairDistance(double dx, double dy) {
  return std::sqrt(dx * dx + dy * dy);
}

bool DirectionTest::TakesEveryPair() const {
  return min_cos2 < -1.0 && bandwidth == kNoLimit;
}

LagRule::LagRule(const LagSettings& lags)
    : spacing(lags.spacing),
      tolerance(lags.Tolerance()),
      same_place(kSamePlace * lags.spacing),
      count(lags.count),
      tolerance_set(lags.tolerance > 0.0),
      single(!tolerance_set ||
             tolerance < 0.5 * spacing * (1.0 - kSingleMargin)) {}

int LagRule::NearestEntry(double h) const {
  // The nearest lag: q rounded down, by truncation once q is known to lie
  // in [1, count + 1) (std::floor is a library call here).
  const double q = h / spacing + 0.5;
  if (h <= same_place) return 0;
  if (q < 1.0) return !tolerance_set || h <= tolerance ? 1 : -1;
  if (!(q < count + 1.0)) return -1;
  const int bin = static_cast<int>(q);
  return InLag(h, bin) ? bin + 1 : -1;
}

bool LagRule::InLag(double h, int k) const {
  return std::fabs(h - k * spacing) <= tolerance;
}

bool Before(const ClosePair& a, const ClosePair& b) {
  return a.semivariance > b.semivariance ||
         (a.semivariance == b.semivariance && a.pair < b.pair);
}

void BestClosePairs::Offer(const ClosePair& c) {
  if (!Wants(c)) return;
  if (heap_.size() == count_) {
    std::pop_heap(heap_.begin(), heap_.end(), Before);
    heap_.pop_back();
  }
  heap_.push_back(c);
  std::push_heap(heap_.begin(), heap_.end(), Before);
}

PairLoop::PairLoop(const LagSettings& lags,
                   const std::vector<Direction>& directions,
                   double short_distance, int highlight)
    : rule_(lags),
      short_distance_(highlight > 0 && short_distance > 0.0 ? short_distance
                                                            : 0.0),
      highlight_(short_distance_ > 0.0 ? static_cast<size_t>(highlight) : 0) {
  for (const Direction& d : directions) tests_.emplace_back(d);
  if (!directions.empty()) blocks_.emplace_back();
  for (size_t d = 0; d < tests_.size(); ++d) {
    if (tests_[d].TakesEveryPair()) continue;
    if (blocks_.back().directions.size() == kDirectionBlock) {
      blocks_.emplace_back();
    }
    blocks_.back().directions.push_back(d);
  }
  for (DirectionBlock& block : blocks_) {
    block.offset = table_size_;
    table_size_ += TableEntries() * block.sets();
  }
  lag_reach_ = directions.empty() ? 0.0 : lags.Reach() * kReachSlack;
  reach_ = std::max(lag_reach_, short_distance_ * kReachSlack);
}

VariogramSums PairLoop::EmptySums() const {
  return VariogramSums::Zero(static_cast<int32_t>(directions()), entries());
}

void PairLoop::Fold(const PairTally& tally, VariogramSums* sums) const {
  const size_t stride = TableSize() + kSpareSums;
  std::vector<PairSum> table(tally.table.begin(), tally.table.begin() + stride);
  for (size_t c = 1; c < tally.copies; ++c) {
    for (size_t i = 0; i < stride; ++i) {
      const PairSum& part = tally.table[c * stride + i];
      table[i].distance += part.distance;
      table[i].squared += part.squared;
      table[i].pairs += part.pairs;
    }
  }
  const size_t n = entries();
  for (size_t d = 0; d < directions(); ++d) {
    // A direction that takes every pair takes every set of the first block.
    size_t block = 0;
    unsigned bit = 0;
    for (size_t b = 0; b < blocks_.size(); ++b) {
      const std::vector<size_t>& tested = blocks_[b].directions;
      const auto at = std::find(tested.begin(), tested.end(), d);
      if (at != tested.end()) {
        block = b;
        bit = 1u << (at - tested.begin());
      }
    }
    const size_t sets = blocks_[block].sets();
    for (size_t e = 0; e < n; ++e) {
      const PairSum* row = &table[blocks_[block].offset + e * sets];
      const size_t at = d * n + e;
      for (unsigned set = 0; set < sets; ++set) {
        if (bit != 0 && (set & bit) == 0) continue;
        sums->distance[at] += row[set].distance;
        sums->squared[at] += row[set].squared;
        sums->pairs[at] += static_cast<int64_t>(row[set].pairs);
      }
    }
  }
}

}  // namespace korvagraph::analysis
