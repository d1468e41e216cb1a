// Normal scores: the transform of values to standard normal quantiles by
// rank, with the transformation table.
#ifndef SIBLINGS_KORVALIB_NORMAL_SCORES_H_
#define SIBLINGS_KORVALIB_NORMAL_SCORES_H_

#include <cstddef>
#include <vector>

#include "korvagraph/records.h"
#include "siblings/korvalib/buffer.h"
#include "siblings/korvalib/value_window.h"

namespace korvalib {

// Writes G^-1((r - 0.5) / n) into scores[i] for every value i inside
// window, r its rank among the n such values with ties sharing their
// average rank, and kKvNoValue for every other value; sorted_values[0 .. n-1]
// and sorted_scores[0 .. n-1] receive the valid values ascending and their
// scores. Any of the three outputs may be null. Returns n. Nothing is
// written when memory runs short (std::bad_alloc propagates first).
size_t ComputeNormalScores(const Column& values, const ValueWindow& window,
                           double* scores, double* sorted_values,
                           double* sorted_scores);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_NORMAL_SCORES_H_
