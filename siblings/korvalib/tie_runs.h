// Runs of equal values in sorted data, and the average rank each run shares.
#ifndef SIBLINGS_KORVALIB_TIE_RUNS_H_
#define SIBLINGS_KORVALIB_TIE_RUNS_H_

#include <cstddef>
#include <vector>

#include "siblings/korvalib/buffer.h"

namespace korvalib {

// Calls visit(first, last, average_rank) for every run [first, last) of
// equal values in sorted[begin .. end-1] reached through at(i);
// average_rank is the mean of the 1-based ranks first + 1 .. last.
// REQUIRES: begin is 0 or starts a run (at(begin - 1) != at(begin)).
template <typename At, typename Visit>
void ForEachTieRunIn(size_t begin, size_t end, At at, Visit visit) {
  size_t first = begin;
  while (first < end) {
    size_t last = first + 1;
    while (last < end && at(last) == at(first)) ++last;
    visit(first, last, 0.5 * static_cast<double>(first + 1 + last));
    first = last;
  }
}

// The runs of all of sorted[0 .. n-1].
template <typename At, typename Visit>
void ForEachTieRun(size_t n, At at, Visit visit) {
  ForEachTieRunIn(0, n, at, visit);
}

// Returns the 1-based rank of every value, ties sharing their average rank.
// REQUIRES: no value is NaN.
Buffer<double> AverageRanks(const std::vector<double>& values);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_TIE_RUNS_H_
