#include "tools/korvagraph/serve/pair_selection.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Pairs closer than this fraction of a lag stand at one place.
constexpr double kSamePlace = 1e-6;
// Widens the angle tolerance so that separations on its edge are kept.
constexpr double kAngleSlack = 1e-9;

// Returns the entry a pair at distance h counts in (see
// experimental_variogram.h for the layout), or -1 for none.
int LagEntry(double h, const LagSettings& lags) {
  const double tolerance = lags.tolerance > 0.0
                               ? std::min(lags.tolerance, 0.5 * lags.spacing)
                               : 0.5 * lags.spacing;
  const double q = h / lags.spacing + 0.5;
  if (h <= kSamePlace * lags.spacing) return 0;
  if (q < 1.0) return 1;
  if (!(q < lags.count + 1.0)) return -1;
  const int bin = static_cast<int>(q);
  return std::fabs(h - bin * lags.spacing) <= tolerance ? bin + 1 : -1;
}

// Returns true when the separation (dx, dy) lies within the direction's
// angle tolerance and bandwidth.
bool InDirection(double dx, double dy, const VariogramDirection& direction) {
  if (direction.tolerance >= 90.0) return true;
  const double a = direction.azimuth * kPi / 180.0;
  const double east = std::sin(a), north = std::cos(a);
  const double along = dx * east + dy * north;
  const double tolerance = direction.tolerance + kAngleSlack;
  const double min_cos =
      tolerance < 0.0 ? 2.0 : std::cos(tolerance * kPi / 180.0);
  if (along * along < min_cos * min_cos * (dx * dx + dy * dy)) return false;
  return !(direction.bandwidth > 0.0) ||
         std::fabs(dx * north - dy * east) <= direction.bandwidth;
}

}  // namespace

std::vector<LONG> LagPairs(const std::vector<KvDiscPnt>& samples,
                           const VariogramCloud& cloud, const LagSettings& lags,
                           const VariogramDirection& direction, int entry) {
  std::vector<LONG> points;
  if (entry < 0 || entry > lags.count + 1) return points;
  for (size_t p = 0; p < cloud.pairs.size(); ++p) {
    const KvDiscPnt& a = samples[cloud.pairs[p].first];
    const KvDiscPnt& b = samples[cloud.pairs[p].second];
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double h = std::sqrt(dx * dx + dy * dy);
    const int e = LagEntry(h, lags);
    // Pairs at one place have no direction and count in every one.
    if (e == entry && (e == 0 || InDirection(dx, dy, direction))) {
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
