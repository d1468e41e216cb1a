#include "korvagraph/analysis/cloud.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <unordered_set>

#include "analysis/chunk_runner.h"
#include "analysis/pair_grid.h"

namespace korvagraph::analysis {
namespace {

// The seed of the cloud's sample: the same pairs on every run.
constexpr uint64_t kSampleSeed = 20261208;
constexpr int kChunks = 64;
// The cheap distance test keeps a little more; the exact test follows.
constexpr double kReachSlack = 1.0 + 1e-9;

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

// A pair worth a look: its semivariance and pair number.
struct Candidate {
  double semivariance;
  int64_t pair;
};

// Larger semivariance first, then the lower pair.
bool Before(const Candidate& a, const Candidate& b) {
  return a.semivariance > b.semivariance ||
         (a.semivariance == b.semivariance && a.pair < b.pair);
}

// Keeps the count best candidates it is offered; the worst kept on top.
class BestCandidates {
 public:
  explicit BestCandidates(size_t count) : count_(count) {}
  void Offer(const Candidate& c) {
    if (heap_.size() < count_) {
      heap_.push_back(c);
      std::push_heap(heap_.begin(), heap_.end(), Before);
    } else if (count_ > 0 && Before(c, heap_.front())) {
      std::pop_heap(heap_.begin(), heap_.end(), Before);
      heap_.back() = c;
      std::push_heap(heap_.begin(), heap_.end(), Before);
    }
  }
  std::vector<Candidate>& kept() { return heap_; }

 private:
  size_t count_;
  std::vector<Candidate> heap_;
};

// Finds the count pairs of largest semivariance closer than short_distance,
// best first, among neighbouring cells of a grid on every core. False when
// progress cancelled.
bool LargestCloseSemivariances(const Samples& samples, double short_distance,
                               size_t count, const ProgressCallback& progress,
                               std::vector<Candidate>* largest) {
  largest->clear();
  if (count == 0 || !(short_distance > 0.0)) return true;
  const PairGrid grid(samples, short_distance, kChunks);
  const std::vector<double>& x = grid.x();
  const std::vector<double>& y = grid.y();
  const std::vector<double>& value = grid.value();
  const std::vector<int32_t>& number = grid.number();
  const double reach = short_distance * kReachSlack;
  const double reach2 = reach * reach;
  const int64_t n = static_cast<int64_t>(samples.size());
  std::vector<std::vector<Candidate>> chunk_best(grid.ChunkWork().size());
  auto run_chunk = [&](int chunk) {
    BestCandidates best(count);
    grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
      for (size_t b = begin; b < end; ++b) {
        const double dx = x[b] - x[a];
        const double dy = y[b] - y[a];
        if (!(dx * dx + dy * dy <= reach2)) continue;
        // The same distance as the cloud's point, for the same verdict.
        if (!(std::hypot(dx, dy) < short_distance)) continue;
        const double diff = value[b] - value[a];
        const int64_t i = std::min(number[a], number[b]);
        const int64_t j = std::max(number[a], number[b]);
        best.Offer({0.5 * diff * diff, PairNumber(n, i, j)});
      }
    });
    chunk_best[chunk] = std::move(best.kept());
  };
  if (!RunChunks(grid.ChunkWork(), run_chunk, "variogram cloud", progress)) {
    return false;
  }
  std::vector<Candidate>& all = *largest;
  for (const std::vector<Candidate>& part : chunk_best) {
    all.insert(all.end(), part.begin(), part.end());
  }
  std::sort(all.begin(), all.end(), Before);
  if (all.size() > count) all.resize(count);
  return true;
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

Status SampleVariogramCloud(const Samples& samples, int64_t max_points,
                            double short_distance, int highlight,
                            SampledCloud* sampled,
                            const ProgressCallback& progress) {
  *sampled = SampledCloud();
  SampledCloud& result = *sampled;
  const int64_t n = samples.size();
  result.total_pairs = PairCount(n);
  // The chart takes a 32-bit point count.
  const int64_t room =
      std::clamp<int64_t>(max_points, 0, std::numeric_limits<LONG>::max());
  std::vector<Candidate> best;
  if (!LargestCloseSemivariances(
          samples, short_distance,
          static_cast<size_t>(std::clamp<int64_t>(highlight, 0, room)),
          progress, &best)) {
    return Status::Cancelled();
  }
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
  for (const Candidate& c : best) {
    if (in(shown, c.pair) < 0) extra.push_back(c.pair);
  }
  std::sort(extra.begin(), extra.end());
  AddNumberedPairs(samples, extra, &cloud);
  for (const Candidate& c : best) {
    const auto at = in(shown, c.pair);
    result.highlighted.push_back(static_cast<LONG>(
        at >= 0 ? at : static_cast<int64_t>(shown.size()) + in(extra, c.pair)));
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
