// Speed of the sibling libraries' heavy operations on workbench-size input:
// normal scores and the histogram compute over a million samples, and the
// model curve of a thousand lags.
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/peak_memory.h"
#include "siblings/korvalib/korvalib.h"

namespace {

constexpr LONG kMillion = 1000000;

// A skewed sample such as a grade attribute: lognormal values, all distinct
// (the costlier case for normal scores: one quantile per value).
std::vector<KvDiscPnt> MakeSamples(LONG count) {
  std::mt19937_64 generator(20240611);
  std::lognormal_distribution<double> grade(0.0, 1.0);
  std::vector<KvDiscPnt> samples(static_cast<size_t>(count), KvDiscPnt{});
  for (KvDiscPnt& s : samples) {
    s.value = grade(generator);
    s.value2 = grade(generator);
  }
  return samples;
}

// The normal-score transform's engine calls: a temporary handle, load,
// window, scores into caller arrays.
void BM_NormalScores(benchmark::State& state) {
  std::vector<KvDiscPnt> samples = MakeSamples(kMillion);
  std::vector<double> scores(kMillion), table_values(kMillion),
      table_scores(kMillion);
  for (auto _ : state) {
    const int handle = _kvCreateKorvaObj(1);
    _kvLoadDiscPnts(handle, samples.data(), kMillion, 1);
    _kvSetDataExtr(handle, -1e21, 1e21);
    _kvSetUseWtFlag(handle, 0, 1);
    _kvNscore(handle, scores.data(), table_values.data(), table_scores.data());
    _kvDeleteKorvaObj(handle);
    benchmark::DoNotOptimize(scores.data());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_NormalScores)->Unit(benchmark::kMillisecond)->UseRealTime();

// The histogram chart's engine calls (range(0): 0 frequencies, 1
// cumulative with 10000 quantiles).
void BM_HistogramCompute(benchmark::State& state) {
  std::vector<KvDiscPnt> samples = MakeSamples(kMillion);
  std::vector<double> result(kMillion);
  const int handle = _kvCreateKorvaObj(3);
  for (auto _ : state) {
    _kvSetDataExtr(handle, 0.0, 50.0);
    _kvLoadDiscPnts(handle, samples.data(), kMillion, 1);
    _kvSetAttrExtr(handle, 0.0, 50.0, 1, 3.0);
    _kvSetClassNum(handle, 50);
    _kvSetCumHistFlag(handle, static_cast<int>(state.range(0)));
    _kvSetQuanNum(handle, 10000);
    _kvDrawHistPlt(handle);
    LONG n = 0, left = 0;
    double stats[7], maximum_frequency = 0.0;
    _kvOutHistPltParam(handle, &n, &left, &stats[0], &stats[1], &stats[2],
                       &stats[3], &stats[4], &stats[5], &stats[6],
                       result.data(), &maximum_frequency);
    benchmark::DoNotOptimize(maximum_frequency);
  }
  ReportPeakMemory(state);
  _kvDeleteKorvaObj(handle);
}
BENCHMARK(BM_HistogramCompute)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The model curve's engine calls: 1000 lags, five anisotropic structures
// of every finite-range type and the power model.
void BM_ModelCurve(benchmark::State& state) {
  double cc[20] = {0.3, 0.4, 0.2, 0.01, 0.1};
  int it[20] = {1, 2, 3, 4, 5};
  double p1[20] = {100, 250, 80, 1.2, 40};
  double p2[20] = {60, 120, 80, 1.2, 40};
  double p3[20] = {20, 30, 10, 1.2, 40};
  double p4[20] = {30, 45, 0, 0, 90};
  double p5[20] = {10, 0, 5, 0, 0};
  double p6[20] = {0, 15, 0, 0, 0};
  std::vector<ModIndVrg> curve(1002);
  for (auto _ : state) {
    const int handle = _kvCreateKorvaObj(2);
    int lags = 1000;
    double spacing = 0.5, azimuth = 40.0, dip = 5.0;
    _kvSetLagPara(handle, &lags, &spacing, 0, 1);
    _kvSetAzmDip(handle, &azimuth, 0, 0, &dip, 0, 0, 1);
    _kvSetIntpPara(handle, 5, 0.05, cc, it, p1, p2, p3, p4, p5, p6);
    _kvVmodel(handle, curve.data());
    _kvDeleteKorvaObj(handle);
    benchmark::DoNotOptimize(curve.data());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_ModelCurve)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
