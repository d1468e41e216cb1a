// Sorting of doubles for the engine's large inputs: a most-significant-digit
// radix sort, so that a million values sort in a few tens of milliseconds.
// Values must not be NaN (the engine filters them out before sorting);
// -0.0 sorts before +0.0.
#ifndef SIBLINGS_KORVALIB_SORT_ORDER_H_
#define SIBLINGS_KORVALIB_SORT_ORDER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korvalib {

// A value with the position it came from.
struct IndexedValue {
  double value;
  uint32_t index;
};

constexpr uint64_t kSortKeySign = uint64_t{1} << 63;

// Returns an unsigned key with the order of the sort: a < b exactly when
// SortKey(a) < SortKey(b), -0.0 before +0.0. Flips every bit of a negative
// number, only the sign bit of a positive one.
inline uint64_t SortKey(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & kSortKeySign) != 0 ? ~bits : bits | kSortKeySign;
}

// Returns the value of a key: FromSortKey(SortKey(v)) is v, bit for bit.
inline double FromSortKey(uint64_t key) {
  const uint64_t bits = (key & kSortKeySign) != 0 ? key & ~kSortKeySign : ~key;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Sorts values[0 .. n-1] in ascending order.
// REQUIRES: no value is NaN.
void SortAscending(double* values, size_t n);
void SortAscending(std::vector<double>* values);

// Sorts items[0 .. n-1] by value; equal values keep ascending index order.
// REQUIRES: no value is NaN.
void SortByValue(IndexedValue* items, size_t n);
void SortByValue(std::vector<IndexedValue>* items);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_SORT_ORDER_H_
