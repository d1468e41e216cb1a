// The pairs behind the probability plot and the Q-Q / P-P plots.
#ifndef SIBLINGS_KORVALIB_DISTRIBUTION_PLOTS_H_
#define SIBLINGS_KORVALIB_DISTRIBUTION_PLOTS_H_

#include <cstddef>
#include <vector>

#include "siblings/korvalib/buffer.h"

namespace korvalib {

struct ProbabilityPlot {
  std::vector<double> axis_positions;  // G^-1 of each axis probability
  Buffer<double> pairs;                // (value, position), values ascending
};

// Returns the normal-probability positions of values (consumed) and of the
// axis probabilities.
ProbabilityPlot ComputeProbabilityPlot(
    Buffer<double> values, const std::vector<double>& probabilities);

// Returns the (x, y) pairs, consecutive, of first against second (both
// consumed): at most max_pairs of them, quantile against quantile or, with
// probability_form, cumulative probability against cumulative probability.
Buffer<double> ComputeQqPairs(Buffer<double> first, Buffer<double> second,
                              size_t max_pairs, bool probability_form);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_DISTRIBUTION_PLOTS_H_
