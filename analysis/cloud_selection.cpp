// The selections a host makes in the variogram cloud.
#include <algorithm>
#include <cmath>
#include <map>

#include "analysis/pair_loop.h"
#include "korvagraph/analysis/cloud.h"

namespace korvagraph::analysis {

std::vector<LONG> LagPairs(const Samples& samples, const VariogramCloud& cloud,
                           const LagSettings& lags, const Direction& direction,
                           int entry) {
  std::vector<LONG> points;
  if (entry < 0 || entry > lags.count + 1) return points;
  for (size_t p = 0; p < cloud.pairs.size(); ++p) {
    const LONG a = cloud.pairs[p].first, b = cloud.pairs[p].second;
    const double dx = samples.x[b] - samples.x[a];
    const double dy = samples.y[b] - samples.y[a];
    const double h = PairDistance(dx, dy);
    // Pairs at one place have no direction and count in every one.
    if (InLagEntry(h, lags, entry) &&
        (entry == 0 || InDirection(dx, dy, direction))) {
      points.push_back(static_cast<LONG>(p));
    }
  }
  return points;
}

std::vector<LONG> BoxPairs(const VariogramCloud& cloud, const CloudBox& box) {
  std::vector<LONG> points;
  for (size_t p = 0; p < cloud.distance.size(); ++p) {
    const double h = cloud.distance[p], g = cloud.semivariance[p];
    if (h >= box.distance_min && h <= box.distance_max && g >= box.gamma_min &&
        g <= box.gamma_max) {
      points.push_back(static_cast<LONG>(p));
    }
  }
  return points;
}

std::vector<Involvement> MostInvolved(const VariogramCloud& cloud,
                                      const std::vector<LONG>& points,
                                      int count) {
  std::map<LONG, int> pairs_of;
  for (LONG p : points) {
    ++pairs_of[cloud.pairs[p].first];
    ++pairs_of[cloud.pairs[p].second];
  }
  std::vector<Involvement> involved;
  for (const auto& [sample, pairs] : pairs_of) {
    involved.push_back({sample, pairs});
  }
  std::stable_sort(involved.begin(), involved.end(),
                   [](const Involvement& a, const Involvement& b) {
                     return a.pairs > b.pairs;
                   });
  if (involved.size() > static_cast<size_t>(std::max(count, 0))) {
    involved.resize(std::max(count, 0));
  }
  return involved;
}

}  // namespace korvagraph::analysis
