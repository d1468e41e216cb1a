#include "tools/korvagraph/variogram_cloud.h"

#include <algorithm>
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

std::vector<LONG> LargestAtShortDistance(const VariogramCloud& cloud,
                                         double max_distance, int count) {
  std::vector<LONG> close;
  for (size_t i = 0; i < cloud.distance.size(); ++i) {
    if (cloud.distance[i] < max_distance) close.push_back(static_cast<LONG>(i));
  }
  const size_t kept =
      std::min(close.size(), static_cast<size_t>(std::max(count, 0)));
  std::partial_sort(close.begin(), close.begin() + kept, close.end(),
                    [&cloud](LONG a, LONG b) {
                      const double ga = cloud.semivariance[a];
                      const double gb = cloud.semivariance[b];
                      return ga > gb || (ga == gb && a < b);
                    });
  close.resize(kept);
  return close;
}
