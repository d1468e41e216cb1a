#include "analysis/pair_kernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "korvagraph/analysis/cloud.h"

// Highway compiles this file once per instruction set (foreach_target) and
// calls the best one the processor has.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "analysis/pair_kernel.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace korvagraph::analysis {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// Pairs kept between the vector work and the additions to the table: the
// additions run on in one loop, whose branches the processor predicts.
constexpr size_t kBuffer = 256;
// Added to a whole number below 2^52 held as a double, leaves it in the low
// bits of the representation, where kIndexBits finds it: keys are doubles
// that travel with a pair's sums.
constexpr double kIntegerBits = 4503599627370496.0;  // 2^52
constexpr int64_t kIndexBits = (int64_t{1} << 52) - 1;

// The keys of one block of directions into the table, as doubles plus
// kIntegerBits: a pair's key is base + sets x lag + the bits of the tested
// directions that take it (the rule for one entry); pairs at one place take
// same_place.
struct BlockKeys {
  double base;        // the block's first sum, and the step to the lag's
                      // entry (lag 0 is entry 1)
  double sets;        // sets of the block's directions
  double same_place;  // entry 0, every direction
  size_t first;       // its tested directions: first .. end - 1
  size_t end;
};

class Kernel {
 public:
  Kernel(const PairLoop& loop, const PairArrays& arrays, PairTally* tally)
      : loop_(loop),
        rule_(loop.rule()),
        arrays_(arrays),
        tally_(tally),
        stride_(kBuffer + hn::Lanes(D())),
        records_(4 * stride_),
        keys_(loop.blocks().size() * stride_) {
    for (const DirectionBlock& block : loop.blocks()) {
      const double first = kIntegerBits + block.offset;
      const double sets = static_cast<double>(block.sets());
      blocks_.push_back({first + (rule_.single ? sets : 0.0), sets,
                         first + sets - 1.0, tested_.size(), 0});
      for (size_t t = 0; t < block.directions.size(); ++t) {
        const DirectionTest& test = loop.tests()[block.directions[t]];
        tested_.push_back(test);
        bits_.push_back(static_cast<double>(1u << t));
        bands_ = bands_ || std::isfinite(test.bandwidth);
      }
      blocks_.back().end = tested_.size();
    }
  }

  void Run(const PairRun& run) {
    const bool close = loop_.highlight() > 0;
    if (!rule_.single) {
      RunOf<true, false>(run, close);
    } else if (bands_) {
      RunOf<true, true>(run, close);
    } else {
      RunOf<false, true>(run, close);
    }
  }

  // Adds the pairs buffered to the table, in order.
  void Flush() {
    PairSum* table = tally_->table.data();
    const double* record = records_.data();
    // Pair k adds to copy k mod copies of the table (a power of two).
    const size_t stride = loop_.TableSize() + kSpareSums;
    const size_t copy = tally_->copies - 1;
    if (rule_.single && blocks_.size() == 1) {
      for (size_t k = 0; k < filled_; ++k, record += 4) {
        Add(record, &table[(k & copy) * stride + KeyOf(record[3])]);
      }
    } else {
      for (size_t k = 0; k < filled_; ++k, record += 4) {
        if (!(record[0] >= 0.0)) continue;  // a lane that counts nowhere
        auto add = [&](int entry) {
          for (size_t b = 0; b < blocks_.size(); ++b) {
            const size_t key =
                KeyOf(b == 0 ? record[3] : keys_[(b - 1) * stride_ + k]);
            Add(record, &table[(k & copy) * stride + key +
                               entry * loop_.blocks()[b].sets()]);
          }
        };
        if (rule_.single) {
          add(0);  // the entry is in the key already
        } else {
          rule_.ForEachEntry(record[0], add);
        }
      }
    }
    filled_ = 0;
  }

 private:
  // Returns the table index a key holds.
  static size_t KeyOf(double key) {
    int64_t bits;
    std::memcpy(&bits, &key, sizeof(bits));
    return static_cast<size_t>(bits & kIndexBits);
  }

  // Adds a pair's record (distance, squared difference, 1, key) to the four
  // doubles of a sum at once.
  static void Add(const double* record, PairSum* sum) {
    const hn::CappedTag<double, 4> d4;
    double* to = &sum->distance;
    for (size_t i = 0; i < 4; i += hn::Lanes(d4)) {
      hn::Store(hn::Add(hn::Load(d4, to + i), hn::LoadU(d4, record + i)), d4,
                to + i);
    }
  }

  // The pairs of one run, kSingle: by the rule for one entry, whose lag the
  // lanes work out; else the additions do.
  template <bool kBands, bool kSingle>
  void RunOf(const PairRun& run, bool close) {
    const D d;
    const size_t lanes = hn::Lanes(d);
    const double* HWY_RESTRICT x = arrays_.x;
    const double* HWY_RESTRICT y = arrays_.y;
    const double* HWY_RESTRICT value = arrays_.value;
    const V xa = hn::Set(d, x[run.a]);
    const V ya = hn::Set(d, y[run.a]);
    const V va = hn::Set(d, value[run.a]);
    const V reach2 = hn::Set(d, loop_.Reach() * loop_.Reach());
    // Close pairs sought beyond the last lag: the lags' own reach bounds
    // the lag index.
    const bool beyond_lags = loop_.Reach() > loop_.LagReach();
    const V lag_reach2 = hn::Set(d, loop_.LagReach() * loop_.LagReach());
    const V short_distance = hn::Set(d, loop_.short_distance() * (1.0 + 1e-12));
    const V same_place = hn::Set(d, rule_.same_place);
    const V spacing = hn::Set(d, rule_.spacing);
    const V tolerance = hn::Set(d, rule_.tolerance);
    const V half = hn::Set(d, 0.5);
    // Lanes that count nowhere add to spare sums, one per lane, so that the
    // additions need no branch.
    const V spare = hn::Add(
        hn::Set(d, kIntegerBits + static_cast<double>(loop_.TableSize())),
        hn::Iota(d, 0.0));
    const BlockKeys* blocks = blocks_.data();
    const size_t block_count = blocks_.size();
    const DirectionTest* tested = tested_.data();
    const double* bits = bits_.data();
    double* HWY_RESTRICT records_out = records_.data();
    double* HWY_RESTRICT keys_out = keys_.data();
    size_t filled = filled_;
    for (size_t b = run.begin; b < run.end; b += lanes) {
      V xb, yb, vb;
      if (b + lanes <= run.end) {
        xb = hn::LoadU(d, x + b);
        yb = hn::LoadU(d, y + b);
        vb = hn::LoadU(d, value + b);
      } else {
        // The last lanes of a run, from a copy padded with NaN, which no
        // test takes.
        HWY_ALIGN double tail[3][HWY_LANES(double)];
        for (size_t i = 0; i < lanes; ++i) {
          const bool in = b + i < run.end;
          tail[0][i] = in ? x[b + i] : std::nan("");
          tail[1][i] = in ? y[b + i] : 0.0;
          tail[2][i] = in ? value[b + i] : 0.0;
        }
        xb = hn::Load(d, tail[0]);
        yb = hn::Load(d, tail[1]);
        vb = hn::Load(d, tail[2]);
      }
      // The distance and the lag by the operations of the plain loop, in
      // its order: no fused multiply-add (the file is built without
      // contraction).
      const V dx = hn::Sub(xb, xa);
      const V dy = hn::Sub(yb, ya);
      const V dx2 = hn::Mul(dx, dx);
      const V dy2 = hn::Mul(dy, dy);
      const V d2 = hn::Add(dx2, dy2);
      const M in_reach = hn::Le(d2, reach2);
      if (hn::AllFalse(d, in_reach)) continue;
      const V h = hn::Sqrt(d2);
      const V diff = hn::Sub(vb, va);
      const V squared = hn::Mul(diff, diff);
      if (close) {
        // Pairs closer than the short distance whose semivariance may be
        // kept.
        const M lanes_close =
            hn::And(hn::And(in_reach, hn::Lt(h, short_distance)),
                    hn::Ge(hn::Mul(half, squared),
                           hn::Set(d, tally_->best.Threshold())));
        if (!hn::AllFalse(d, lanes_close)) OfferClose(run.a, b, lanes_close);
      }
      if (block_count == 0) continue;
      const M same = hn::Le(h, same_place);
      M valid = in_reach;
      V lag = hn::Zero(d);
      if (kSingle) {
        lag = hn::Floor(hn::Add(hn::Div(h, spacing), half));
        // Lag 0 is the first lag: there |h - 0| <= tolerance holds every
        // pair closer than half a lag, or within the tolerance set. A pair
        // half a lag past the last lag finds the entry after the row's.
        const V off = hn::Abs(hn::Sub(h, hn::Mul(lag, spacing)));
        valid = hn::And(in_reach, hn::Or(same, hn::Le(off, tolerance)));
        if (beyond_lags) valid = hn::And(valid, hn::Le(d2, lag_reach2));
        if (hn::AllFalse(d, valid)) continue;
      }
      const V cos_part = hn::Sub(dy2, dx2);
      const V sin_part = hn::Mul(dx, dy);
      V first_key = spare;
      for (size_t k = 0; k < block_count; ++k) {
        const BlockKeys& block = blocks[k];
        V set = hn::Set(d, block.base);
        for (size_t t = block.first; t < block.end; ++t) {
          // As DirectionTest::Takes.
          M takes =
              hn::Ge(hn::MulAdd(cos_part, hn::Set(d, tested[t].cos2),
                                hn::Mul(sin_part, hn::Set(d, tested[t].sin2))),
                     hn::Mul(hn::Set(d, tested[t].min_cos2), d2));
          if (kBands) {
            const V east = hn::Set(d, tested[t].east);
            const V north = hn::Set(d, tested[t].north);
            const V across = hn::Sub(hn::Mul(dx, north), hn::Mul(dy, east));
            takes = hn::And(takes, hn::Le(hn::Abs(across),
                                          hn::Set(d, tested[t].bandwidth)));
          }
          set = hn::IfThenElse(takes, hn::Add(set, hn::Set(d, bits[t])), set);
        }
        V key = kSingle ? hn::MulAdd(lag, hn::Set(d, block.sets), set) : set;
        key = hn::IfThenElse(same, hn::Set(d, block.same_place), key);
        key = hn::IfThenElse(valid, key, spare);
        if (k == 0) {
          first_key = key;
        } else {
          hn::StoreU(key, d, keys_out + (k - 1) * stride_ + filled);
        }
      }
      hn::StoreInterleaved4(
          kSingle ? h : hn::IfThenElse(valid, h, hn::Set(d, -1.0)), squared,
          hn::Set(d, 1.0), first_key, d, records_out + 4 * filled);
      filled += lanes;
      if (filled >= kBuffer) {
        filled_ = filled;
        Flush();
        filled = 0;
      }
    }
    filled_ = filled;
  }

  // Offers the pairs of a with the lanes of b .. b + lanes that lie closer
  // than the short distance, measured as the cloud measures them.
  void OfferClose(size_t a, size_t b, M lanes) {
    const D d;
    const double* x = arrays_.x;
    const double* y = arrays_.y;
    const double* value = arrays_.value;
    uint8_t bits[8] = {};
    hn::StoreMaskBits(d, lanes, bits);
    for (size_t i = 0; i < hn::Lanes(d); ++i) {
      if ((bits[i / 8] >> (i % 8) & 1) == 0) continue;
      const size_t c = b + i;
      const double diff = value[c] - value[a];
      const int64_t first = std::min(arrays_.number[a], arrays_.number[c]);
      const int64_t second = std::max(arrays_.number[a], arrays_.number[c]);
      const ClosePair pair{0.5 * diff * diff,
                           PairNumber(arrays_.sample_count, first, second)};
      // The distance last: most close pairs are not among the largest.
      if (tally_->best.Wants(pair) &&
          std::hypot(x[c] - x[a], y[c] - y[a]) < loop_.short_distance()) {
        tally_->best.Offer(pair);
      }
    }
  }

  const PairLoop& loop_;
  const LagRule& rule_;
  const PairArrays& arrays_;
  PairTally* tally_;
  std::vector<BlockKeys> blocks_;
  std::vector<DirectionTest> tested_;
  std::vector<double> bits_;  // of each tested direction in its block
  bool bands_ = false;
  size_t stride_;  // of the buffers: kBuffer and a vector's lanes
  // Per pair: distance, squared difference, 1 and the first block's key.
  std::vector<double> records_;
  std::vector<double> keys_;  // of the other blocks
  size_t filled_ = 0;
};

void TallyRunsOn(const PairLoop& loop, const PairArrays& arrays,
                 const PairRun* runs, size_t count, PairTally* tally) {
  Kernel kernel(loop, arrays, tally);
  for (size_t r = 0; r < count; ++r) kernel.Run(runs[r]);
  kernel.Flush();
}

}  // namespace HWY_NAMESPACE
}  // namespace korvagraph::analysis
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace korvagraph::analysis {

HWY_EXPORT(TallyRunsOn);

void TallyRuns(const PairLoop& loop, const PairArrays& arrays,
               const PairRun* runs, size_t count, PairTally* tally) {
  HWY_DYNAMIC_DISPATCH(TallyRunsOn)(loop, arrays, runs, count, tally);
}

}  // namespace korvagraph::analysis
#endif  // HWY_ONCE
