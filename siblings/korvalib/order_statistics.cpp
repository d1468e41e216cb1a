#include "siblings/korvalib/order_statistics.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "siblings/korvalib/sort_order.h"

namespace korvalib {
namespace {

// Key bits counted per pass: 65536 counters stay in the cache.
constexpr int kBucketBits = 16;
// Key ranges holding at most this many values are gathered and sorted.
constexpr size_t kGatherLimit = size_t{1} << 14;

// A rank still to be found: its rank inside the current key range and the
// slot of the answer.
struct Wanted {
  size_t rank;
  size_t slot;
};

// The admitted values with keys in [low, high], the closed key range being
// searched.
struct KeyRange {
  uint64_t low;
  uint64_t high;
  size_t count;  // admitted values inside the range
};

class RankFinder {
 public:
  RankFinder(const double* values, size_t size, const ValueWindow& window,
             std::vector<double>* answers)
      : values_(values), size_(size), window_(window), answers_(answers) {}

  // Calls visit(key) for every admitted value with a key in range.
  template <typename Visit>
  void ForEachKey(const KeyRange& range, Visit visit) const {
    for (size_t i = 0; i < size_; ++i) {
      if (!window_.Contains(values_[i])) continue;
      const uint64_t key = SortKey(values_[i]);
      if (key >= range.low && key <= range.high) visit(key);
    }
  }

  void Find(const KeyRange& range, const std::vector<Wanted>& wanted) {
    if (range.low == range.high) {
      // Every value of the range has the same bits.
      for (const Wanted& w : wanted) {
        (*answers_)[w.slot] = FromSortKey(range.low);
      }
      return;
    }
    if (range.count <= kGatherLimit) {
      Gather(range, wanted);
      return;
    }
    Split(range, wanted);
  }

 private:
  // Collects the range's values, sorts them and reads the ranks off.
  void Gather(const KeyRange& range, const std::vector<Wanted>& wanted) {
    std::vector<double> gathered;
    gathered.reserve(range.count);
    ForEachKey(range,
               [&](uint64_t key) { gathered.push_back(FromSortKey(key)); });
    SortAscending(&gathered);
    for (const Wanted& w : wanted) (*answers_)[w.slot] = gathered[w.rank];
  }

  // Counts the range's values per bucket of its top differing key bits and
  // goes on in the buckets that hold a wanted rank: the small ones gathered
  // together in one more pass, the others split again.
  void Split(const KeyRange& range, const std::vector<Wanted>& wanted) {
    const uint64_t span = range.high - range.low;
    int width = 0;
    for (uint64_t s = span; s != 0; s >>= 1) ++width;
    const int shift = std::max(0, width - kBucketBits);
    const size_t buckets = static_cast<size_t>(span >> shift) + 1;
    auto bucket_of = [&](uint64_t key) {
      return static_cast<size_t>((key - range.low) >> shift);
    };
    // start[b] = the rank of bucket b's first value inside the range.
    std::vector<uint32_t> start(buckets + 1, 0);
    ForEachKey(range, [&](uint64_t key) { ++start[bucket_of(key) + 1]; });
    for (size_t b = 1; b <= buckets; ++b) start[b] += start[b - 1];

    // The wanted ranks of each bucket that holds one, relative to it.
    std::vector<size_t> held;  // bucket numbers, ascending
    std::vector<std::vector<Wanted>> wanted_in;
    std::vector<Wanted> sorted = wanted;
    std::sort(sorted.begin(), sorted.end(),
              [](const Wanted& a, const Wanted& b) { return a.rank < b.rank; });
    for (const Wanted& w : sorted) {
      const size_t bucket = static_cast<size_t>(
          std::upper_bound(start.begin(), start.end(), w.rank) - start.begin() -
          1);
      if (held.empty() || held.back() != bucket) {
        held.push_back(bucket);
        wanted_in.emplace_back();
      }
      wanted_in.back().push_back(Wanted{w.rank - start[bucket], w.slot});
    }

    // Gathered: one vector per small bucket, filled in a single pass.
    constexpr uint8_t kNotGathered = 0xff;
    std::vector<uint8_t> gather_slot(buckets, kNotGathered);
    std::vector<std::vector<double>> gathered;
    for (size_t g = 0; g < held.size(); ++g) {
      const size_t count = start[held[g] + 1] - start[held[g]];
      if (count <= kGatherLimit && gathered.size() < kNotGathered) {
        gather_slot[held[g]] = static_cast<uint8_t>(gathered.size());
        gathered.emplace_back();
        gathered.back().reserve(count);
      }
    }
    if (!gathered.empty()) {
      ForEachKey(range, [&](uint64_t key) {
        const uint8_t slot = gather_slot[bucket_of(key)];
        if (slot != kNotGathered) gathered[slot].push_back(FromSortKey(key));
      });
    }
    for (size_t g = 0; g < held.size(); ++g) {
      const uint8_t slot = gather_slot[held[g]];
      if (slot != kNotGathered) {
        std::vector<double>& values = gathered[slot];
        SortAscending(&values);
        for (const Wanted& w : wanted_in[g]) {
          (*answers_)[w.slot] = values[w.rank];
        }
        continue;
      }
      const uint64_t low = range.low + (uint64_t{held[g]} << shift);
      const uint64_t top = (uint64_t{1} << shift) - 1;
      const KeyRange next{low, low + std::min(range.high - low, top),
                          start[held[g] + 1] - start[held[g]]};
      Find(next, wanted_in[g]);
    }
  }

  const double* values_;
  size_t size_;
  ValueWindow window_;
  std::vector<double>* answers_;
};

}  // namespace

RankedValues::RankedValues(const double* values, size_t size,
                           const ValueWindow& window)
    : values_(values),
      size_(size),
      window_(window),
      lowest_key_(std::numeric_limits<uint64_t>::max()),
      highest_key_(0) {
  for (size_t i = 0; i < size; ++i) {
    if (!window.Contains(values[i])) continue;
    ++count_;
    const uint64_t key = SortKey(values[i]);
    lowest_key_ = std::min(lowest_key_, key);
    highest_key_ = std::max(highest_key_, key);
  }
}

std::vector<double> RankedValues::ValuesOf(
    const std::vector<size_t>& ranks) const {
  std::vector<double> answers(ranks.size(), 0.0);
  // The extremes are known; the other ranks are searched for in buckets
  // spanning the keys inside only.
  std::vector<Wanted> inner;
  for (size_t slot = 0; slot < ranks.size(); ++slot) {
    if (ranks[slot] == 0) {
      answers[slot] = FromSortKey(lowest_key_);
    } else if (ranks[slot] + 1 == count_) {
      answers[slot] = FromSortKey(highest_key_);
    } else {
      inner.push_back(Wanted{ranks[slot], slot});
    }
  }
  if (!inner.empty()) {
    RankFinder finder(values_, size_, window_, &answers);
    finder.Find(KeyRange{lowest_key_, highest_key_, count_}, inner);
  }
  return answers;
}

}  // namespace korvalib
