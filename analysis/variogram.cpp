#include "korvagraph/analysis/variogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

#include "analysis/pair_loop.h"
#include "analysis/pair_pass.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {
namespace {

constexpr int kTargetLagCount = 12;
// Default lags number at most this many.
constexpr int kMaxDefaultLagCount = 100;

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

}  // namespace

double LagSettings::Tolerance() const {
  return tolerance > 0.0 ? tolerance : 0.5 * spacing;
}

LagSettings DefaultLags(const Samples& samples) {
  LagSettings lags;
  if (samples.size() == 0) return lags;
  double min_x = samples.x[0], max_x = min_x;
  double min_y = samples.y[0], max_y = min_y;
  for (int64_t i = 0; i < samples.size(); ++i) {
    min_x = std::min(min_x, samples.x[i]);
    max_x = std::max(max_x, samples.x[i]);
    min_y = std::min(min_y, samples.y[i]);
    max_y = std::max(max_y, samples.y[i]);
  }
  const double reach = 0.5 * std::hypot(max_x - min_x, max_y - min_y);
  if (!(reach > 0.0) || !std::isfinite(reach)) return lags;
  // A subnormal reach gives a spacing of 0 (or none at all): such samples
  // stand at one place, which the defaults already describe.
  const double spacing = RoundDown(reach / kTargetLagCount);
  if (!(spacing > 0.0) || !std::isfinite(reach / spacing)) return lags;
  lags.spacing = spacing;
  // Clamped as a double: the quotient may exceed every int.
  lags.count = static_cast<int>(std::clamp(
      reach / spacing, 1.0, static_cast<double>(kMaxDefaultLagCount)));
  return lags;
}

LagSettings ChooseLags(const Samples& samples, double spacing, int count,
                       double tolerance) {
  const LagSettings defaults = DefaultLags(samples);
  LagSettings lags = defaults;
  if (spacing > 0.0) {
    lags.spacing = spacing;
    if (count <= 0) {
      // Keep the reach of the defaults with the new spacing.
      // Clamped as a double: a tiny spacing makes the quotient exceed int.
      lags.count = static_cast<int>(
          std::clamp(defaults.spacing * defaults.count / spacing, 1.0,
                     static_cast<double>(kMaxLagCount)));
    }
  }
  if (count > 0) lags.count = count;
  lags.tolerance = tolerance;
  return lags;
}

Status ExperimentalVariograms(const Samples& samples, const LagSettings& lags,
                              const std::vector<Direction>& directions,
                              std::vector<VariogramRow>* rows,
                              const ProgressCallback& progress) {
  rows->clear();
  PairPassResult pass;
  const Status status = RunPairPass(samples, PairLoop(lags, directions),
                                    "variograms", progress, &pass);
  if (!status.ok()) return status;
  return VariogramRowsOf(pass.sums, rows);
}

int LagEntry(double h, const LagSettings& lags) {
  int lowest = -1;
  LagRule(lags).ForEachEntry(h, [&lowest](int entry) {
    if (lowest < 0) lowest = entry;
  });
  return lowest;
}

bool InLagEntry(double h, const LagSettings& lags, int entry) {
  bool counts = false;
  LagRule(lags).ForEachEntry(h, [&](int e) { counts = counts || e == entry; });
  return counts;
}

bool InDirection(double dx, double dy, const Direction& direction) {
  const DirectionTest test(direction);
  return test.Takes(dx, dy) && test.InBand(dx, dy);
}

int QualifyingLags(const VariogramRow& row) {
  int lags = 0;
  for (size_t e = 1; e < row.size(); ++e) {
    lags += row[e].npairs >= kMinVariogramPairs;
  }
  return lags;
}

int64_t QualifyingPairs(const VariogramRow& row) {
  int64_t total = 0;
  for (const Variogram& v : row) {
    if (v.npairs >= kMinVariogramPairs) total += v.npairs;
  }
  return total;
}

}  // namespace korvagraph::analysis
