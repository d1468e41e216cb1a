// Order statistics without a full sort: the values of a few ranks among the
// values inside a window, found by counting radix buckets of their sort
// keys, so that neither a copy nor a sort of the whole input is needed.
// Results are returned by value; the input is only read.
#ifndef SIBLINGS_KORVALIB_ORDER_STATISTICS_H_
#define SIBLINGS_KORVALIB_ORDER_STATISTICS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "siblings/korvalib/value_window.h"

namespace korvalib {

// The values of values[0 .. size-1] inside window, read in place; the
// caller keeps the array alive and unchanged while this object is used.
class RankedValues {
 public:
  // Counts the values inside and finds the extremes: one pass.
  RankedValues(const double* values, size_t size, const ValueWindow& window);

  // n, the number of values inside the window.
  size_t count() const { return count_; }

  // Returns, for each 0-based rank in ranks, the value of that rank among
  // the n values, in the sort's order (-0.0 before +0.0): the values a full
  // sort would hold at those positions.
  // REQUIRES: every rank < count().
  std::vector<double> ValuesOf(const std::vector<size_t>& ranks) const;

 private:
  const double* values_;
  size_t size_;
  ValueWindow window_;
  size_t count_ = 0;
  uint64_t lowest_key_;  // the sort keys of the extremes
  uint64_t highest_key_;
};

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_ORDER_STATISTICS_H_
