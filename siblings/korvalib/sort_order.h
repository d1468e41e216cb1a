// Sorting of doubles for the engine's large inputs: an LSD radix sort, so
// that a million values sort in a few milliseconds. Values must not be NaN
// (the engine filters them out before sorting).
#ifndef SIBLINGS_KORVALIB_SORT_ORDER_H_
#define SIBLINGS_KORVALIB_SORT_ORDER_H_

#include <cstdint>
#include <vector>

namespace korvalib {

// Sorts values in ascending order (-0.0 and +0.0 count as equal).
// REQUIRES: no value is NaN.
void SortAscending(std::vector<double>* values);

// Returns the indices of values in ascending order of value; equal values
// keep their index order (-0.0 and +0.0 count as equal).
// REQUIRES: no value is NaN, values.size() < 2^32.
std::vector<uint32_t> AscendingOrder(const std::vector<double>& values);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_SORT_ORDER_H_
