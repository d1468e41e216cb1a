#include "siblings/korvalib/sort_order.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace korvalib {
namespace {

// Below this size a comparison sort beats the radix passes' fixed cost.
constexpr size_t kRadixThreshold = 2048;
constexpr int kDigitBits = 11;
constexpr int kBuckets = 1 << kDigitBits;
constexpr int kPasses = (64 + kDigitBits - 1) / kDigitBits;

// Maps a double to an unsigned key with the same order: flip every bit of
// a negative number, only the sign bit of a positive one.
uint64_t SortKey(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  constexpr uint64_t kSign = uint64_t{1} << 63;
  return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

double FromSortKey(uint64_t key) {
  constexpr uint64_t kSign = uint64_t{1} << 63;
  const uint64_t bits = (key & kSign) != 0 ? key & ~kSign : ~key;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

unsigned Digit(uint64_t key, int pass) {
  return static_cast<unsigned>(key >> (pass * kDigitBits)) & (kBuckets - 1);
}

using Histograms = std::vector<std::array<uint32_t, kBuckets>>;

// Counts every digit of every key in one sweep; a pass whose keys all share
// one digit is then skipped (the high digits often are).
Histograms CountDigits(const std::vector<uint64_t>& keys) {
  Histograms counts(kPasses);
  for (auto& count : counts) count.fill(0);
  for (uint64_t key : keys) {
    for (int pass = 0; pass < kPasses; ++pass) ++counts[pass][Digit(key, pass)];
  }
  return counts;
}

bool PassNeeded(const std::array<uint32_t, kBuckets>& count, size_t n) {
  return std::none_of(count.begin(), count.end(),
                      [n](uint32_t c) { return c == n; });
}

// Turns a digit count into the first output slot of each digit.
void ToOffsets(std::array<uint32_t, kBuckets>* count) {
  uint32_t sum = 0;
  for (uint32_t& c : *count) {
    const uint32_t here = c;
    c = sum;
    sum += here;
  }
}

// Sorts keys (and, when present, the indices travelling with them) stably.
void RadixSort(std::vector<uint64_t>* keys, std::vector<uint32_t>* indices) {
  const size_t n = keys->size();
  Histograms counts = CountDigits(*keys);
  std::vector<uint64_t> key_buffer(n);
  std::vector<uint32_t> index_buffer(indices != nullptr ? n : 0);
  for (int pass = 0; pass < kPasses; ++pass) {
    if (!PassNeeded(counts[pass], n)) continue;
    ToOffsets(&counts[pass]);
    auto& offsets = counts[pass];
    for (size_t i = 0; i < n; ++i) {
      const uint32_t slot = offsets[Digit((*keys)[i], pass)]++;
      key_buffer[slot] = (*keys)[i];
      if (indices != nullptr) index_buffer[slot] = (*indices)[i];
    }
    keys->swap(key_buffer);
    if (indices != nullptr) indices->swap(index_buffer);
  }
}

std::vector<uint64_t> SortKeys(const std::vector<double>& values) {
  std::vector<uint64_t> keys(values.size());
  std::transform(values.begin(), values.end(), keys.begin(), SortKey);
  return keys;
}

}  // namespace

void SortAscending(std::vector<double>* values) {
  if (values->size() < kRadixThreshold) {
    std::sort(values->begin(), values->end());
    return;
  }
  std::vector<uint64_t> keys = SortKeys(*values);
  RadixSort(&keys, nullptr);
  std::transform(keys.begin(), keys.end(), values->begin(), FromSortKey);
}

std::vector<uint32_t> AscendingOrder(const std::vector<double>& values) {
  std::vector<uint32_t> order(values.size());
  std::iota(order.begin(), order.end(), 0u);
  if (values.size() < kRadixThreshold) {
    std::stable_sort(order.begin(), order.end(),
                     [&values](uint32_t a, uint32_t b) {
                       return values[a] < values[b];
                     });
    return order;
  }
  std::vector<uint64_t> keys = SortKeys(values);
  RadixSort(&keys, &order);
  return order;
}

}  // namespace korvalib
