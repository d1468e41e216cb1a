#include "tools/korvagraph/serve/pair_selection.h"

#include <algorithm>
#include <cmath>
#include <map>

std::vector<LONG> LagPairs(const std::vector<KvDiscPnt>& samples,
                           const VariogramCloud& cloud, const LagSettings& lags,
                           const VariogramDirection& direction, int entry) {
  std::vector<LONG> points;
  if (entry < 0 || entry > lags.count + 1) return points;
  // Entry e > 0 gathers pairs near (e - 1) lags: only those closer than one
  // spacing to it can count, which spares the exact test for most pairs.
  const double centre = entry == 0 ? 0.0 : (entry - 1) * lags.spacing;
  const std::vector<VariogramDirection> directions = {direction};
  for (size_t p = 0; p < cloud.pairs.size(); ++p) {
    if (std::fabs(cloud.distance[p] - centre) > lags.spacing) continue;
    const std::vector<KvDiscPnt> pair = {samples[cloud.pairs[p].first],
                                         samples[cloud.pairs[p].second]};
    const std::vector<std::vector<Variogram>> rows =
        ExperimentalVariograms(pair, lags, directions, nullptr);
    if (rows[0][entry].npairs > 0) points.push_back(static_cast<LONG>(p));
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
