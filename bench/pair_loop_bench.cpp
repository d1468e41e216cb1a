// Speed of the variogram pair loop: nanoseconds of CPU per pair per core
// (CPU time of every thread over the pairs of the data), the vector loop
// beside a plain double loop on the same data, for 1, 4 and 8 directions.
// The samples lie at random on a 1000 x 1000 square (coordinates to a
// tenth, as the sample generator writes them), with the default lags: 14
// lags of 50, reaching about three quarters of the pairs.
// - Vector loop, 20,000 and 100,000 samples: ExperimentalVariograms on
//   every core, over all the pairs.
// - Vector loop, 1,000,000 samples: a fixed fraction, 4 of the 210 tiles of
//   50,000-sample blocks (2 %), through VariogramTileSums, two at once.
// - Plain loop: one core, the rows of the first samples against all the
//   others: every pair at 20,000 samples, about 5 x 10^8 pairs beyond.
// The counters: ns_pair_core (the figure), pairs, cores (CPU over wall)
// and load (the load average when the case ended).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "bench/peak_memory.h"
#include "korvagraph/analysis/variogram.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace {

using korvagraph::analysis::Direction;
using korvagraph::analysis::LagSettings;
using korvagraph::analysis::Samples;
using korvagraph::analysis::VariogramRow;
using korvagraph::analysis::VariogramSums;

constexpr int64_t kMillion = 1000000;
constexpr int64_t kTileBlock = 50000;
constexpr int kTiles = 4;
constexpr double kPlainPairs = 5e8;

Samples MakeSamples(int64_t count) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> side(0.0, 1000.0);
  std::lognormal_distribution<double> grade(3.0, 0.6);
  Samples samples;
  for (int64_t i = 0; i < count; ++i) {
    const double x = std::round(side(random) * 10.0) / 10.0;
    const double y = std::round(side(random) * 10.0) / 10.0;
    samples.Append(x, y, 0.0, grade(random), std::nan(""), i);
  }
  return samples;
}

// Returns the samples i .. i + count - 1.
Samples Block(const Samples& all, int64_t first, int64_t count) {
  Samples block;
  for (int64_t i = first; i < first + count; ++i) {
    block.Append(all.x[i], all.y[i], 0.0, all.value[i], std::nan(""), i);
  }
  return block;
}

// 1: every direction; 4: 45 degrees apart; 8: 22.5 degrees apart.
std::vector<Direction> Directions(int count) {
  if (count == 1) return {Direction{0.0, 90.0, 0.0}};
  std::vector<Direction> directions;
  for (int d = 0; d < count; ++d) {
    directions.push_back(Direction{180.0 * d / count, 90.0 / count, 0.0});
  }
  return directions;
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + 1e-9 * t.tv_nsec;
}

double WallSeconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + 1e-9 * t.tv_nsec;
}

double LoadAverage() {
  double load = 0.0;
  if (FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = 0.0;
    std::fclose(file);
  }
  return load;
}

// The plain double loop over the pairs (i, j), i < rows, i < j: distance by
// root, nearest lag, a dot product per direction, sums by direction and
// entry. Returns the pairs visited.
int64_t PlainLoop(const Samples& s, const LagSettings& lags,
                  const std::vector<Direction>& directions, int64_t rows,
                  std::vector<VariogramRow>* out) {
  const double pi = std::acos(-1.0);
  const size_t n = static_cast<size_t>(s.size());
  const int entries = lags.count + 2;
  std::vector<double> east, north, cos2;
  for (const Direction& d : directions) {
    east.push_back(std::sin(d.azimuth * pi / 180.0));
    north.push_back(std::cos(d.azimuth * pi / 180.0));
    const double c = std::cos(d.tolerance * pi / 180.0);
    cos2.push_back(d.tolerance >= 90.0 ? -1.0 : c * c);
  }
  std::vector<double> h_sum(directions.size() * entries);
  std::vector<double> g_sum(h_sum.size());
  std::vector<int64_t> count(h_sum.size());
  int64_t visited = 0;
  for (size_t i = 0; i < static_cast<size_t>(rows); ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const double dx = s.x[j] - s.x[i], dy = s.y[j] - s.y[i];
      const double h2 = dx * dx + dy * dy;
      const double h = std::sqrt(h2);
      // The nearest lag, truncated (q >= 0): no call to floor.
      const double bin =
          static_cast<double>(static_cast<int64_t>(h / lags.spacing + 0.5));
      if (bin > lags.count ||
          std::fabs(h - bin * lags.spacing) > 0.5 * lags.spacing) {
        continue;
      }
      const size_t e = h <= 1e-6 * lags.spacing ? 0 : bin + 1;
      const double diff = s.value[j] - s.value[i];
      for (size_t d = 0; d < directions.size(); ++d) {
        const double along = dx * east[d] + dy * north[d];
        if (e != 0 && along * along < cos2[d] * h2) continue;
        h_sum[d * entries + e] += h;
        g_sum[d * entries + e] += diff * diff;
        ++count[d * entries + e];
      }
    }
    visited += static_cast<int64_t>(n - i - 1);
  }
  out->assign(directions.size(), VariogramRow(entries, Variogram{}));
  for (size_t d = 0; d < directions.size(); ++d) {
    for (int e = 0; e < entries; ++e) {
      const size_t at = d * entries + e;
      if (count[at] == 0) continue;
      Variogram& v = (*out)[d][e];
      v.h = h_sum[at] / count[at];
      v.gamma = 0.5 * g_sum[at] / count[at];
      v.npairs = static_cast<LONG>(count[at]);
    }
  }
  return visited;
}

// Runs the vector loop once over samples: every pair, or at a million
// samples the tiles (k, k + 1) of kTileBlock samples, two threads at once.
// Returns the pairs covered.
int64_t VectorLoop(const Samples& samples, const LagSettings& lags,
                   const std::vector<Direction>& directions) {
  const int64_t n = samples.size();
  if (n < kMillion) {
    std::vector<VariogramRow> rows;
    korvagraph::analysis::ExperimentalVariograms(samples, lags, directions,
                                                 &rows);
    benchmark::DoNotOptimize(rows.data());
    return n * (n - 1) / 2;
  }
  std::vector<VariogramSums> sums(kTiles);
  auto tile = [&](int k) {
    korvagraph::analysis::VariogramTileSums(
        Block(samples, k * kTileBlock, kTileBlock),
        Block(samples, (k + 1) * kTileBlock, kTileBlock), lags, directions,
        &sums[k]);
  };
  for (int k = 0; k < kTiles; k += 2) {
    std::thread other(tile, k + 1);
    tile(k);
    other.join();
  }
  return kTiles * kTileBlock * kTileBlock;
}

// Times body (which returns the pairs it covered) once and sets the
// counters.
template <typename Body>
void Measure(benchmark::State& state, Body body) {
  int64_t pairs = 0;
  double cpu = 0.0, wall = 0.0;
  for (auto _ : state) {
    const double cpu0 = CpuSeconds(), wall0 = WallSeconds();
    pairs = body();
    cpu += CpuSeconds() - cpu0;
    wall += WallSeconds() - wall0;
  }
  state.counters["ns_pair_core"] = 1e9 * cpu / state.iterations() / pairs;
  state.counters["pairs"] = static_cast<double>(pairs);
  state.counters["cores"] = cpu / wall;
  state.counters["load"] = LoadAverage();
  ReportPeakMemory(state);
}

const Samples& SamplesOf(int64_t count) {
  static std::vector<std::pair<int64_t, Samples>> made;
  for (const auto& [n, samples] : made) {
    if (n == count) return samples;
  }
  made.emplace_back(count, MakeSamples(count));
  return made.back().second;
}

// range(0): samples; range(1): directions.
void BM_VectorLoop(benchmark::State& state) {
  const Samples& samples = SamplesOf(state.range(0));
  const LagSettings lags = korvagraph::analysis::DefaultLags(samples);
  const std::vector<Direction> directions =
      Directions(static_cast<int>(state.range(1)));
  Measure(state, [&] { return VectorLoop(samples, lags, directions); });
}

void BM_PlainLoop(benchmark::State& state) {
  const Samples& samples = SamplesOf(state.range(0));
  const LagSettings lags = korvagraph::analysis::DefaultLags(samples);
  const std::vector<Direction> directions =
      Directions(static_cast<int>(state.range(1)));
  // Rows of about kPlainPairs pairs, or all of them.
  const double n = static_cast<double>(samples.size());
  const int64_t rows = static_cast<int64_t>(
      std::min(n, n - std::sqrt(std::max(0.0, n * n - 2.0 * kPlainPairs))));
  std::vector<VariogramRow> out;
  Measure(state,
          [&] { return PlainLoop(samples, lags, directions, rows, &out); });
}

void Cases(benchmark::internal::Benchmark* b) {
  for (int64_t n : {int64_t{20000}, int64_t{100000}, kMillion}) {
    for (int directions : {1, 4, 8}) b->Args({n, directions});
  }
}

BENCHMARK(BM_VectorLoop)->Apply(Cases)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PlainLoop)->Apply(Cases)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
