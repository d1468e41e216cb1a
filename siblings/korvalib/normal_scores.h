// Normal scores: the transform of values to standard normal quantiles by
// rank, with the transformation table.
#ifndef SIBLINGS_KORVALIB_NORMAL_SCORES_H_
#define SIBLINGS_KORVALIB_NORMAL_SCORES_H_

#include <vector>

#include "siblings/korvalib/value_window.h"

namespace korvalib {

// The score given to a value outside the window.
constexpr double kNoScore = -999.0;

struct NormalScores {
  std::vector<double> scores;         // one per input value
  std::vector<double> sorted_values;  // the n valid values ascending
  std::vector<double> sorted_scores;  // their scores
};

// Returns G^-1((r - 0.5) / n) for every value inside window, r its rank among
// the n such values with ties sharing their average rank, and kNoScore for
// every other value.
NormalScores ComputeNormalScores(const std::vector<double>& values,
                                 const ValueWindow& window);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_NORMAL_SCORES_H_
