#include "siblings/korvalib/scatter_statistics.h"

#include <algorithm>

#include "siblings/korvalib/moments.h"
#include "siblings/korvalib/tie_runs.h"

namespace korvalib {

ScatterStatistics ComputeScatterStatistics(const Column& x, const Column& y,
                                           const ValueWindow& x_window,
                                           const ValueWindow& y_window) {
  ScatterStatistics result;
  const Buffer<double> x_inside = Select(x, x_window);
  const Buffer<double> y_inside = Select(y, y_window);
  const MeanDeviation x_moments =
      ComputeMeanDeviation(x_inside.data(), x_inside.size());
  const MeanDeviation y_moments =
      ComputeMeanDeviation(y_inside.data(), y_inside.size());
  result.x_count = static_cast<int32_t>(x_inside.size());
  result.x_mean = x_moments.mean;
  result.x_deviation = x_moments.deviation;
  result.y_count = static_cast<int32_t>(y_inside.size());
  result.y_mean = y_moments.mean;
  result.y_deviation = y_moments.deviation;

  std::vector<double> pair_x;
  std::vector<double> pair_y;
  // A handle without second values has no y to pair.
  const size_t paired = std::min(x.size(), y.size());
  for (size_t i = 0; i < paired; ++i) {
    if (x_window.Contains(x[i]) && y_window.Contains(y[i])) {
      pair_x.push_back(x[i]);
      pair_y.push_back(y[i]);
    }
  }
  const size_t pairs = pair_x.size();
  result.pearson = PearsonCorrelation(pair_x.data(), pair_y.data(), pairs);
  if (pairs >= 2) {
    const Buffer<double> rank_x = AverageRanks(pair_x);
    const Buffer<double> rank_y = AverageRanks(pair_y);
    result.spearman = PearsonCorrelation(rank_x.data(), rank_y.data(), pairs);
  }
  return result;
}

}  // namespace korvalib
