#include "siblings/korvalib/sort_order.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "siblings/korvalib/buffer.h"
#include "siblings/korvalib/two_way.h"

namespace korvalib {
namespace {

// Segments up to this size are finished by a comparison sort.
constexpr size_t kSmallSegment = 48;
constexpr int kMaxDigitBits = 11;
constexpr int kMinDigitBits = 4;

uint64_t KeyOf(double value) { return SortKey(value); }
uint64_t KeyOf(const IndexedValue& item) { return SortKey(item.value); }

bool Before(double a, double b) { return SortKey(a) < SortKey(b); }
bool Before(const IndexedValue& a, const IndexedValue& b) {
  const uint64_t ka = SortKey(a.value), kb = SortKey(b.value);
  return ka < kb || (ka == kb && a.index < b.index);
}

// Returns the digit width for a segment of n items: about n / 8 buckets,
// so that the counters stay small next to the data.
int DigitBits(size_t n, int shift) {
  int bits = kMinDigitBits;
  while (bits < kMaxDigitBits && (size_t{1} << (bits + 3)) < n) ++bits;
  return std::min(bits, shift);
}

// The smallest and largest key of some items.
struct KeySpan {
  uint64_t low = ~uint64_t{0};
  uint64_t high = 0;
};

template <typename Item>
KeySpan SpanOf(const Item* data, size_t n) {
  KeySpan span;
  for (size_t i = 0; i < n; ++i) {
    span.low = std::min(span.low, KeyOf(data[i]));
    span.high = std::max(span.high, KeyOf(data[i]));
  }
  return span;
}

// Returns the number of low key bits in which the keys of span differ: the
// bits above are common to all of them. 0 when every key is the same.
int DifferingBits(const KeySpan& span) {
  int bits = 0;
  for (uint64_t differing = span.low ^ span.high; differing != 0;
       differing >>= 1) {
    ++bits;
  }
  return bits;
}

// One digit of the keys: (key >> shift) & mask.
struct Digit {
  int shift;
  uint64_t mask;
  size_t operator()(uint64_t key) const {
    return static_cast<size_t>((key >> shift) & mask);
  }
};

// Adds the digit count of data[0 .. n-1] to count[digit].
template <typename Item>
void CountDigits(const Item* data, size_t n, Digit digit, size_t* count) {
  for (size_t i = 0; i < n; ++i) ++count[digit(KeyOf(data[i]))];
}

// Moves data[0 .. n-1] to target[next[digit]++], in order.
template <typename Item>
void ScatterDigits(const Item* data, size_t n, Digit digit, size_t* next,
                   Item* target) {
  for (size_t i = 0; i < n; ++i)
    target[next[digit(KeyOf(data[i]))]++] = data[i];
}

// Returns the bucket starts (one more entry than buckets) of data[0 ..
// n-1] scattered stably into scratch by digit. With two_ways, each half of
// the data is counted and scattered on its own core, the first half's items
// ahead of the second's in every bucket, so the order stays stable.
template <typename Item>
std::vector<size_t> Scatter(Item* data, Item* scratch, size_t n, Digit digit,
                            bool two_ways) {
  const size_t buckets = static_cast<size_t>(digit.mask) + 1;
  std::vector<size_t> start(buckets + 1, 0);
  if (!two_ways) {
    CountDigits(data, n, digit, start.data() + 1);
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<size_t> next(start.begin(), start.end() - 1);
    ScatterDigits(data, n, digit, next.data(), scratch);
    return start;
  }
  const size_t half = n / 2;
  std::vector<size_t> first_next(buckets, 0);
  std::vector<size_t> second_next(buckets, 0);
  RunTwoWays(
      [&] { CountDigits(data, half, digit, first_next.data()); },
      [&] { CountDigits(data + half, n - half, digit, second_next.data()); });
  size_t at = 0;
  for (size_t b = 0; b < buckets; ++b) {
    start[b] = at;
    const size_t first_count = first_next[b];
    first_next[b] = at;
    at += first_count;
    const size_t second_count = second_next[b];
    second_next[b] = at;
    at += second_count;
  }
  start[buckets] = n;
  RunTwoWays(
      [&] { ScatterDigits(data, half, digit, first_next.data(), scratch); },
      [&] {
        ScatterDigits(data + half, n - half, digit, second_next.data(),
                      scratch);
      });
  return start;
}

// Sorts data[0 .. n-1] and leaves the result in data, or in scratch when
// in_scratch. Each level skips the key bits common to the segment (so runs
// of equal values end at once: the scatter passes are stable, and equal
// keys are already in index order), scatters by the next digit and swaps
// the arrays' roles for the buckets, so that no level copies back. The top
// level of a large input runs on two cores: its passes by halves of the
// data, its buckets by halves of the items.
template <typename Item>
void MsdSort(Item* data, Item* scratch, size_t n, bool in_scratch,
             bool top_level = false) {
  const bool two_ways = top_level && WorthTwoWays(n);
  int shift_bits = 0;
  if (n > kSmallSegment && two_ways) {
    const size_t half = n / 2;
    KeySpan first;
    KeySpan second;
    RunTwoWays([&] { first = SpanOf(data, half); },
               [&] { second = SpanOf(data + half, n - half); });
    shift_bits = DifferingBits(KeySpan{std::min(first.low, second.low),
                                       std::max(first.high, second.high)});
  } else if (n > kSmallSegment) {
    shift_bits = DifferingBits(SpanOf(data, n));
  }
  if (n > kSmallSegment && shift_bits > 0) {
    const int bits = DigitBits(n, shift_bits);
    const Digit digit{shift_bits - bits, (uint64_t{1} << bits) - 1};
    const std::vector<size_t> start =
        Scatter(data, scratch, n, digit, two_ways);
    auto sort_buckets = [&](size_t first_bucket, size_t last_bucket) {
      for (size_t b = first_bucket; b < last_bucket; ++b) {
        const size_t first = start[b];
        MsdSort(scratch + first, data + first, start[b + 1] - first,
                !in_scratch);
      }
    };
    const size_t buckets = start.size() - 1;
    if (two_ways) {
      // The first bucket that starts past the middle: halves of about n / 2.
      const size_t middle = static_cast<size_t>(
          std::upper_bound(start.begin(), start.end() - 1, n / 2) -
          start.begin());
      RunTwoWays([&] { sort_buckets(0, middle); },
                 [&] { sort_buckets(middle, buckets); });
    } else {
      sort_buckets(0, buckets);
    }
    return;
  }
  if (n <= kSmallSegment) {
    std::sort(data, data + n,
              [](const Item& a, const Item& b) { return Before(a, b); });
  }
  if (in_scratch) std::copy(data, data + n, scratch);
}

// Sorts items[0 .. n-1] by key.
template <typename Item>
void SortByKey(Item* items, size_t n) {
  if (n < 2) return;
  Buffer<Item> scratch(n);  // every item is written before it is read
  MsdSort(items, scratch.data(), n, false, true);
}

}  // namespace

void SortAscending(double* values, size_t n) { SortByKey(values, n); }

void SortAscending(std::vector<double>* values) {
  SortByKey(values->data(), values->size());
}

void SortByValue(IndexedValue* items, size_t n) { SortByKey(items, n); }

void SortByValue(std::vector<IndexedValue>* items) {
  SortByKey(items->data(), items->size());
}

}  // namespace korvalib
