#include "korvagraph/analysis/cloud.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <unordered_set>

#include "analysis/pair_loop.h"
#include "analysis/pair_pass.h"

namespace korvagraph::analysis {
namespace {

// The seed of the cloud's sample: the same pairs on every run.
constexpr uint64_t kSampleSeed = 20261208;

// Appends the point of pair (i, j) to cloud.
void AddPair(const Samples& samples, size_t i, size_t j,
             VariogramCloud* cloud) {
  const double h =
      std::hypot(samples.x[j] - samples.x[i], samples.y[j] - samples.y[i]);
  const double diff = samples.value[j] - samples.value[i];
  cloud->distance.push_back(h);
  cloud->semivariance.push_back(0.5 * diff * diff);
  cloud->pairs.push_back(KVL_DOT{static_cast<LONG>(i), static_cast<LONG>(j)});
}

// Returns the points a cloud of max_points may show: the chart takes a
// 32-bit point count.
int64_t RoomFor(int64_t max_points) {
  return std::clamp<int64_t>(max_points, 0, std::numeric_limits<LONG>::max());
}

// Returns count distinct pair numbers below total, uniformly drawn, in
// ascending order (Floyd's sampling: count draws, whatever the total).
std::vector<int64_t> UniformPairs(int64_t total, int64_t count) {
  std::mt19937_64 random(kSampleSeed);
  std::unordered_set<int64_t> chosen;
  chosen.reserve(static_cast<size_t>(count));
  for (int64_t top = total - count; top < total; ++top) {
    // The modulo's bias is below top / 2^64: far beneath notice.
    const int64_t draw =
        static_cast<int64_t>(random() % static_cast<uint64_t>(top + 1));
    if (!chosen.insert(draw).second) chosen.insert(top);
  }
  std::vector<int64_t> pairs(chosen.begin(), chosen.end());
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

// Appends the points of the pairs numbered in ascending order to cloud,
// walking the rows of pairs once.
void AddNumberedPairs(const Samples& samples,
                      const std::vector<int64_t>& numbers,
                      VariogramCloud* cloud) {
  const int64_t n = samples.size();
  int64_t i = 0;
  int64_t row_start = 0;  // number of pair (i, i + 1)
  for (int64_t number : numbers) {
    while (number >= row_start + (n - i - 1)) {
      row_start += n - i - 1;
      ++i;
    }
    AddPair(samples, i, i + 1 + (number - row_start), cloud);
  }
}

// Returns count with a comma between groups of three digits.
std::string Grouped(int64_t count) {
  std::string digits = std::to_string(count);
  const size_t first = digits[0] == '-' ? 1 : 0;
  for (size_t at = digits.size(); at > first + 3; at -= 3) {
    digits.insert(at - 3, ",");
  }
  return digits;
}

}  // namespace

std::string ShownPairs(int64_t shown, int64_t total) {
  return Grouped(shown) + " of " + Grouped(total) + " pairs shown";
}

int64_t PairNumber(int64_t count, int64_t i, int64_t j) {
  return i * (2 * count - i - 1) / 2 + (j - i - 1);
}

int64_t PairCount(int64_t count) {
  return count > 1 ? count * (count - 1) / 2 : 0;
}

Status LargestClosePairs(const Samples& samples, double short_distance,
                         int count, std::vector<int64_t>* pairs,
                         const ProgressCallback& progress) {
  pairs->clear();
  if (count <= 0 || !(short_distance > 0.0)) return Status::Ok();
  PairPassResult pass;
  const Status status =
      RunPairPass(samples, PairLoop(LagSettings{}, {}, short_distance, count),
                  "variogram cloud", progress, &pass);
  if (status.ok()) *pairs = std::move(pass.close_pairs);
  return status;
}

Status SampleVariogramCloud(const Samples& samples, int64_t max_points,
                            double short_distance, int highlight,
                            SampledCloud* sampled,
                            const ProgressCallback& progress) {
  *sampled = SampledCloud();
  std::vector<int64_t> best;
  const Status status = LargestClosePairs(
      samples, short_distance,
      static_cast<int>(std::clamp<int64_t>(highlight, 0, RoomFor(max_points))),
      &best, progress);
  if (!status.ok()) return status;
  SampleVariogramCloudAround(samples, max_points, best, sampled);
  return Status::Ok();
}

void SampleVariogramCloudAround(const Samples& samples, int64_t max_points,
                                std::vector<int64_t> best,
                                SampledCloud* sampled) {
  *sampled = SampledCloud();
  SampledCloud& result = *sampled;
  const int64_t n = samples.size();
  result.total_pairs = PairCount(n);
  const int64_t room = RoomFor(max_points);
  if (static_cast<int64_t>(best.size()) > room) best.resize(room);
  VariogramCloud& cloud = result.cloud;
  std::vector<int64_t> shown;
  if (result.total_pairs <= room) {
    shown.resize(static_cast<size_t>(result.total_pairs));
    std::iota(shown.begin(), shown.end(), int64_t{0});
  } else {
    shown = UniformPairs(result.total_pairs,
                         room - static_cast<int64_t>(best.size()));
  }
  cloud.distance.reserve(shown.size() + best.size());
  cloud.semivariance.reserve(shown.size() + best.size());
  cloud.pairs.reserve(shown.size() + best.size());
  AddNumberedPairs(samples, shown, &cloud);
  // Highlighted pairs outside the sample join it at the end, in pair order.
  auto in = [](const std::vector<int64_t>& sorted, int64_t pair) {
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), pair);
    return at != sorted.end() && *at == pair ? at - sorted.begin() : -1;
  };
  std::vector<int64_t> extra;
  for (int64_t pair : best) {
    if (in(shown, pair) < 0) extra.push_back(pair);
  }
  std::sort(extra.begin(), extra.end());
  AddNumberedPairs(samples, extra, &cloud);
  for (int64_t pair : best) {
    const auto at = in(shown, pair);
    result.highlighted.push_back(static_cast<LONG>(
        at >= 0 ? at : static_cast<int64_t>(shown.size()) + in(extra, pair)));
  }
}

}  // namespace korvagraph::analysis
