// The scatter statistics of two attributes of the same samples.
#ifndef SIBLINGS_KORVALIB_SCATTER_STATISTICS_H_
#define SIBLINGS_KORVALIB_SCATTER_STATISTICS_H_

#include <cstdint>
#include <vector>

#include "siblings/korvalib/buffer.h"
#include "siblings/korvalib/value_window.h"

namespace korvalib {

struct ScatterStatistics {
  int32_t x_count = 0;  // x values inside the x window
  double x_mean = 0.0;
  double x_deviation = 0.0;  // divisor n
  int32_t y_count = 0;
  double y_mean = 0.0;
  double y_deviation = 0.0;
  double pearson = 0.0;   // over the pairs with both values inside
  double spearman = 0.0;  // the same, on average ranks
};

// Returns the statistics of x[i] against y[i]; pairs are formed over the
// entries both have (none when y is empty).
ScatterStatistics ComputeScatterStatistics(const Column& x, const Column& y,
                                           const ValueWindow& x_window,
                                           const ValueWindow& y_window);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_SCATTER_STATISTICS_H_
