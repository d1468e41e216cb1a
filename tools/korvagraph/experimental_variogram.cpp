#include "tools/korvagraph/experimental_variogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

#include "tools/korvagraph/chunk_runner.h"
#include "tools/korvagraph/pair_grid.h"

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

// Angles within this many degrees of a direction's tolerance still count,
// so that separations exactly on its edge (such as 45 degrees) are kept.
constexpr double kAngleSlack = 1e-9;
// The cheap distance test keeps a little more than the reach; the exact
// lag test follows.
constexpr double kReachSlack = 1.0 + 1e-9;
// Chunks of the pair loop, each with its own sums merged in order: enough
// to keep every core busy, few enough that the sums stay small.
constexpr int kChunks = 64;

// A direction prepared for the pair loop: a unit vector and the squared
// cosine of its tolerance, so that no angle is computed for any pair.
struct DirectionTest {
  double east = 0.0;  // unit vector along the azimuth
  double north = 1.0;
  double min_cos2 = 0.0;   // in the direction when dot^2 >= min_cos2 * h^2
  double bandwidth = 0.0;  // 0: no limit
  bool every_pair = false;
  bool no_pair = false;
};

DirectionTest Prepare(const VariogramDirection& direction) {
  DirectionTest test;
  const double a = HalfTurn(direction.azimuth) * kPi / 180.0;
  test.east = std::sin(a);
  test.north = std::cos(a);
  const double tolerance = direction.tolerance + kAngleSlack;
  test.every_pair = direction.tolerance >= 90.0;
  test.no_pair = tolerance < 0.0;
  const double cos_tolerance = std::cos(tolerance * kPi / 180.0);
  test.min_cos2 = cos_tolerance * cos_tolerance;
  test.bandwidth = direction.bandwidth > 0.0 ? direction.bandwidth : 0.0;
  return test;
}

// Returns true when the separation (dx, dy), squared length d2, lies within
// the direction's angle tolerance and bandwidth.
inline bool Takes(const DirectionTest& test, double dx, double dy, double d2) {
  if (test.every_pair) return true;
  const double along = dx * test.east + dy * test.north;
  if (test.no_pair || along * along < test.min_cos2 * d2) return false;
  return test.bandwidth == 0.0 ||
         std::fabs(dx * test.north - dy * test.east) <= test.bandwidth;
}

struct Accumulator {
  double distance_sum = 0.0;
  double squared_sum = 0.0;
  int64_t pairs = 0;
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
  const size_t dirs = directions.size();
  std::vector<DirectionTest> tests;
  for (const VariogramDirection& d : directions) tests.push_back(Prepare(d));
  const int entries = lags.count + 2;
  // A tolerance above half a lag is capped there: a pair counts in one lag.
  const double tolerance = lags.tolerance > 0.0
                               ? std::min(lags.tolerance, 0.5 * lags.spacing)
                               : 0.5 * lags.spacing;
  const double reach = (lags.count * lags.spacing + tolerance) * kReachSlack;
  const double reach2 = reach * reach;
  const PairGrid grid(samples, reach, kChunks);
  const std::vector<double>& x = grid.x();
  const std::vector<double>& y = grid.y();
  const std::vector<double>& value = grid.value();

  // One set of sums per chunk, [direction * entries + entry].
  const std::vector<int64_t>& work = grid.ChunkWork();
  std::vector<std::vector<Accumulator>> chunk_sums(work.size());
  auto run_chunk = [&](int chunk) {
    std::vector<Accumulator> sums(dirs * entries);
    grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
      for (size_t b = begin; b < end; ++b) {
        const double dx = x[b] - x[a];
        const double dy = y[b] - y[a];
        const double d2 = dx * dx + dy * dy;
        if (!(d2 <= reach2)) continue;   // the cheap test, before any root
        const double h = std::sqrt(d2);  // hypot is slower
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
        const double diff = value[b] - value[a];
        for (size_t d = 0; d < dirs; ++d) {
          // Pairs at one place have no direction and count in every one.
          if (entry != 0 && !Takes(tests[d], dx, dy, d2)) continue;
          Accumulator& sum = sums[d * entries + entry];
          sum.distance_sum += h;
          sum.squared_sum += diff * diff;
          ++sum.pairs;
        }
      }
    });
    chunk_sums[chunk] = std::move(sums);
  };
  if (progress != nullptr) {
    progress->set_total(std::accumulate(work.begin(), work.end(), int64_t{0}));
  }
  RunChunks(work, run_chunk, progress);

  std::vector<std::vector<Variogram>> rows(dirs);
  for (size_t d = 0; d < dirs; ++d) {
    rows[d].resize(entries, Variogram{});
    for (int e = 0; e < entries; ++e) {
      Accumulator sum;
      for (const std::vector<Accumulator>& part : chunk_sums) {
        const Accumulator& p = part[d * entries + e];
        sum.distance_sum += p.distance_sum;
        sum.squared_sum += p.squared_sum;
        sum.pairs += p.pairs;
      }
      if (sum.pairs == 0) continue;
      rows[d][e].h = sum.distance_sum / sum.pairs;
      rows[d][e].gamma = 0.5 * sum.squared_sum / sum.pairs;
      // The record holds 32 bits; more pairs than that saturate.
      rows[d][e].npairs = static_cast<LONG>(
          std::min<int64_t>(sum.pairs, std::numeric_limits<LONG>::max()));
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
