#include "tools/korvagraph/variogram_cloud.h"

#include <cmath>

int64_t PairCount(int64_t count) {
  return count > 1 ? count * (count - 1) / 2 : 0;
}

VariogramCloud ComputeVariogramCloud(const std::vector<KvDiscPnt>& samples,
                                     double max_distance,
                                     ProgressLine* progress) {
  VariogramCloud cloud;
  const bool every_pair = !(max_distance > 0.0);
  if (every_pair) {
    const int64_t pairs = PairCount(static_cast<int64_t>(samples.size()));
    cloud.distance.reserve(pairs);
    cloud.semivariance.reserve(pairs);
    cloud.pairs.reserve(pairs);
  }
  const size_t n = samples.size();
  int64_t done = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (progress != nullptr) progress->Update(++done);
      const double h =
          std::hypot(samples[j].x - samples[i].x, samples[j].y - samples[i].y);
      if (!every_pair && h > max_distance) continue;
      const double diff = samples[j].value - samples[i].value;
      cloud.distance.push_back(h);
      cloud.semivariance.push_back(0.5 * diff * diff);
      cloud.pairs.push_back(
          KVL_DOT{static_cast<LONG>(i), static_cast<LONG>(j)});
    }
  }
  return cloud;
}
