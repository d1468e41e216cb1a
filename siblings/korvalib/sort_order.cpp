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

// Returns the number of low key bits in which the items differ: the bits
// above are common to all of them. 0 when every key is the same.
template <typename Item>
int DifferingBits(const Item* data, size_t n) {
  uint64_t low = ~uint64_t{0}, high = 0;
  for (size_t i = 0; i < n; ++i) {
    low = std::min(low, KeyOf(data[i]));
    high = std::max(high, KeyOf(data[i]));
  }
  int bits = 0;
  for (uint64_t differing = low ^ high; differing != 0; differing >>= 1) {
    ++bits;
  }
  return bits;
}

// Sorts data[0 .. n-1] and leaves the result in data, or in scratch when
// in_scratch. Each level skips the key bits common to the segment (so runs
// of equal values end at once: the scatter passes are stable, and equal
// keys are already in index order), scatters by the next digit and swaps
// the arrays' roles for the buckets, so that no level copies back. The
// buckets of the top level are sorted on two cores when they are many.
template <typename Item>
void MsdSort(Item* data, Item* scratch, size_t n, bool in_scratch,
             bool top_level = false) {
  const int shift_bits = n > kSmallSegment ? DifferingBits(data, n) : 0;
  if (n > kSmallSegment && shift_bits > 0) {
    const int bits = DigitBits(n, shift_bits);
    const int shift = shift_bits - bits;
    const uint64_t mask = (uint64_t{1} << bits) - 1;
    std::vector<size_t> start((size_t{1} << bits) + 1, 0);
    for (size_t i = 0; i < n; ++i) {
      ++start[((KeyOf(data[i]) >> shift) & mask) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<size_t> next(start.begin(), start.end() - 1);
    for (size_t i = 0; i < n; ++i) {
      scratch[next[(KeyOf(data[i]) >> shift) & mask]++] = data[i];
    }
    auto sort_buckets = [&](size_t first_bucket, size_t last_bucket) {
      for (size_t b = first_bucket; b < last_bucket; ++b) {
        const size_t first = start[b];
        MsdSort(scratch + first, data + first, start[b + 1] - first,
                !in_scratch);
      }
    };
    const size_t buckets = start.size() - 1;
    if (top_level && WorthTwoWays(n)) {
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
