// Speed of the histogram's compute step through the exports over a million
// samples, for both kinds (bar: 0.1 s a step).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "bench/peak_memory.h"
#include "korvagraph/KorvaGraphLib.h"

namespace {

constexpr LONG kMillion = 1000000;

// A skewed grade-like attribute: lognormal values, a few beyond the window.
std::vector<KvDiscPnt> MakeSamples(LONG count) {
  std::mt19937_64 generator(20240611);
  std::lognormal_distribution<double> grade(0.0, 1.0);
  std::vector<KvDiscPnt> samples(static_cast<size_t>(count), KvDiscPnt{});
  for (KvDiscPnt& s : samples) s.value = grade(generator);
  return samples;
}

void BM_HistogramCompute(benchmark::State& state) {
  std::vector<KvDiscPnt> samples = MakeSamples(kMillion);
  CKorvaGraph* graph = _kvCreateKvGraphObj(1);
  _kvGraphLoadDiscPnts(graph, samples.data(), kMillion);
  _kvGraphSetDataExtr(graph, 0.0, 50.0);
  _kvGraphSetHistNum(graph, 40);
  _kvGraphSetHistType(graph, static_cast<int>(state.range(0)));
  LONG r1 = 0;
  LONG r2 = 0;
  double r[10] = {};
  for (auto _ : state) {
    const LONG status =
        _kvGraphCptHistParam(graph, r1, r2, r[0], r[1], r[2], r[3], r[4], r[5],
                             r[6], r[7], r[8], r[9]);
    benchmark::DoNotOptimize(status);
  }
  ReportPeakMemory(state);
  _kvDeleteKvGraphObj(graph);
}
// 0: frequency histogram; 1: cumulative curve of 10000 quantiles.
BENCHMARK(BM_HistogramCompute)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
