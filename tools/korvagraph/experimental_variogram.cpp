#include "tools/korvagraph/experimental_variogram.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTargetLagCount = 12;
constexpr int kMaxLagCount = 100;
// Pairs closer than this fraction of a lag count as being at one place.
constexpr double kSamePlace = 1e-6;
// Charts skip entries with fewer pairs.
constexpr int kMinPairs = 30;

// Returns the largest of 1, 2, 2.5, 5 times a power of ten not above raw.
double RoundDown(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double mantissa = raw / power;
  double nice = 1.0;
  for (double step : {2.0, 2.5, 5.0}) {
    if (mantissa >= step) nice = step;
  }
  return nice * power;
}

// Returns the azimuth as the angle of an unordered separation: 0 to 180.
double HalfTurn(double azimuth) {
  const double a = std::fmod(azimuth, 180.0);
  return a < 0.0 ? a + 180.0 : a;
}

// Returns true when a separation at azimuth degrees lies within the
// direction's tolerance. REQUIRES: both angles in [0, 180), so that the
// difference wraps at most once.
bool InDirection(double azimuth, const VariogramDirection& direction) {
  if (direction.tolerance >= 90.0) return true;
  double diff = std::fabs(azimuth - direction.azimuth);
  diff = std::min(diff, 180.0 - diff);
  return diff <= direction.tolerance + 1e-9;
}

// Returns true when the separation (dx, dy) lies within the direction's
// bandwidth of its axis.
bool InBand(double dx, double dy, const VariogramDirection& direction) {
  if (direction.bandwidth <= 0.0 || direction.tolerance >= 90.0) return true;
  const double a = direction.azimuth * kPi / 180.0;
  return std::fabs(dx * std::cos(a) - dy * std::sin(a)) <=
         direction.bandwidth;
}

struct Accumulator {
  double distance_sum = 0.0;
  double squared_sum = 0.0;
  long pairs = 0;
};

}  // namespace

LagSettings DefaultLags(const std::vector<KvDiscPnt>& samples) {
  LagSettings lags;
  if (samples.empty()) return lags;
  double min_x = samples[0].x, max_x = min_x;
  double min_y = samples[0].y, max_y = min_y;
  for (const KvDiscPnt& s : samples) {
    min_x = std::min(min_x, s.x);
    max_x = std::max(max_x, s.x);
    min_y = std::min(min_y, s.y);
    max_y = std::max(max_y, s.y);
  }
  const double reach = 0.5 * std::hypot(max_x - min_x, max_y - min_y);
  if (!(reach > 0.0) || !std::isfinite(reach)) return lags;
  lags.spacing = RoundDown(reach / kTargetLagCount);
  lags.count =
      std::clamp(static_cast<int>(reach / lags.spacing), 1, kMaxLagCount);
  return lags;
}

std::vector<VariogramDirection> FourDirections() {
  return {{0.0, kDirectionTolerance},
          {45.0, kDirectionTolerance},
          {90.0, kDirectionTolerance},
          {135.0, kDirectionTolerance}};
}

std::vector<std::vector<Variogram>> ExperimentalVariograms(
    const std::vector<KvDiscPnt>& samples, const LagSettings& lags,
    const std::vector<VariogramDirection>& directions, ProgressLine* progress) {
  std::vector<VariogramDirection> within = directions;
  for (VariogramDirection& d : within) d.azimuth = HalfTurn(d.azimuth);
  const int entries = lags.count + 2;
  // A tolerance above half a lag is capped there: a pair counts in one lag.
  const double tolerance = lags.tolerance > 0.0
                               ? std::min(lags.tolerance, 0.5 * lags.spacing)
                               : 0.5 * lags.spacing;
  std::vector<std::vector<Accumulator>> sums(directions.size(),
                                             std::vector<Accumulator>(entries));
  const size_t n = samples.size();
  int64_t done = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (progress != nullptr) progress->Update(++done);
      const double dx = samples[j].x - samples[i].x;
      const double dy = samples[j].y - samples[i].y;
      const double h = std::sqrt(dx * dx + dy * dy);  // hypot is slower
      const double bin = std::floor(h / lags.spacing + 0.5);
      int entry;
      if (h <= kSamePlace * lags.spacing) {
        entry = 0;
      } else if (bin < 1.0) {
        entry = 1;
      } else if (bin <= lags.count &&
                 std::fabs(h - bin * lags.spacing) <= tolerance) {
        entry = static_cast<int>(bin) + 1;
      } else {
        continue;
      }
      double azimuth = std::atan2(dx, dy) * 180.0 / kPi;
      if (azimuth < 0.0) azimuth += 180.0;
      const double diff = samples[j].value - samples[i].value;
      for (size_t d = 0; d < directions.size(); ++d) {
        // Pairs at one place have no direction and count in every one.
        if (entry != 0 && (!InDirection(azimuth, within[d]) ||
                           !InBand(dx, dy, directions[d]))) {
          continue;
        }
        Accumulator& sum = sums[d][entry];
        sum.distance_sum += h;
        sum.squared_sum += diff * diff;
        ++sum.pairs;
      }
    }
  }
  std::vector<std::vector<Variogram>> rows(directions.size());
  for (size_t d = 0; d < directions.size(); ++d) {
    rows[d].resize(entries, Variogram{});
    for (int e = 0; e < entries; ++e) {
      const Accumulator& sum = sums[d][e];
      if (sum.pairs == 0) continue;
      rows[d][e].h = sum.distance_sum / sum.pairs;
      rows[d][e].gamma = 0.5 * sum.squared_sum / sum.pairs;
      rows[d][e].npairs = static_cast<LONG>(sum.pairs);
    }
  }
  return rows;
}

long QualifyingPairs(const std::vector<Variogram>& row) {
  long total = 0;
  for (const Variogram& v : row) {
    if (v.npairs >= kMinPairs) total += v.npairs;
  }
  return total;
}
