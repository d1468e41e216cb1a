// Sorting of doubles for the engine's large inputs: a most-significant-digit
// radix sort, so that a million values sort in a few tens of milliseconds.
// Values must not be NaN (the engine filters them out before sorting);
// -0.0 sorts before +0.0.
#ifndef SIBLINGS_KORVALIB_SORT_ORDER_H_
#define SIBLINGS_KORVALIB_SORT_ORDER_H_

#include <cstdint>
#include <vector>

namespace korvalib {

// A value with the position it came from.
struct IndexedValue {
  double value;
  uint32_t index;
};

// Sorts values in ascending order.
// REQUIRES: no value is NaN.
void SortAscending(std::vector<double>* values);

// Sorts items by value; equal values keep ascending index order.
// REQUIRES: no value is NaN.
void SortByValue(std::vector<IndexedValue>* items);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_SORT_ORDER_H_
