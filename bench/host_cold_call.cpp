// One cold call through the exports, as a host makes it: the program makes
// its input, then times the first call of the process on the wall clock and
// reports the fresh memory the call touched. bench/peers.sh runs it once per
// call in a fresh process beside the numpy / scipy / matplotlib equivalents.
//
//   host_cold_call nscore N   normal scores of N lognormal values
//   host_cold_call hist N     histogram compute step, 20 classes, frequencies
//   host_cold_call cloud N    variogram cloud of N pairs, 800 x 600, + PNG
//
// Prints one line: "<call> seconds=<wall> peak_mib=<growth of the peak
// resident size during the call> faults=<minor page faults during the call>".
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"

namespace {

constexpr uint64_t kSeed = 20240611;

struct Usage {
  double peak_mib;
  long minor_faults;
};

Usage CurrentUsage() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return Usage{static_cast<double>(usage.ru_maxrss) / 1024.0, usage.ru_minflt};
}

// Lognormal grade-like values, all distinct in practice.
std::vector<KvDiscPnt> MakeSamples(LONG count) {
  std::mt19937_64 generator(kSeed);
  std::lognormal_distribution<double> grade(0.0, 1.0);
  std::vector<KvDiscPnt> samples(static_cast<size_t>(count), KvDiscPnt{});
  for (KvDiscPnt& s : samples) s.value = grade(generator);
  return samples;
}

// Runs call once and prints its wall time and fresh memory.
template <typename Call>
void Measure(const char* name, Call call) {
  const Usage before = CurrentUsage();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = call();
  const std::chrono::duration<double> wall =
      std::chrono::steady_clock::now() - start;
  const Usage after = CurrentUsage();
  std::printf("%s seconds=%.4f peak_mib=%.1f faults=%ld%s\n", name,
              wall.count(), after.peak_mib - before.peak_mib,
              after.minor_faults - before.minor_faults, ok ? "" : " FAILED");
}

void NormalScores(LONG count) {
  std::vector<KvDiscPnt> samples = MakeSamples(count);
  Measure("nscore", [&] {
    double score_max = 0.0;
    double score_min = 0.0;
    return _kvTranNcore(samples.data(), count, 1e21, -1e21, score_max,
                        score_min) == 1;
  });
}

void HistogramStep(LONG count) {
  std::vector<KvDiscPnt> samples = MakeSamples(count);
  double low = samples[0].value;
  double high = samples[0].value;
  for (const KvDiscPnt& s : samples) {
    low = std::min(low, s.value);
    high = std::max(high, s.value);
  }
  // The graph outlives the step, as a host keeps it to draw the chart.
  CKorvaGraph* graph = nullptr;
  Measure("hist", [&] {
    graph = _kvCreateKvGraphObj(1);
    _kvGraphLoadDiscPnts(graph, samples.data(), count);
    _kvGraphSetDataExtr(graph, low, high);
    _kvGraphSetHistNum(graph, 20);
    _kvGraphSetHistType(graph, 0);
    LONG n = 0;
    LONG left = 0;
    double r[10] = {};
    const LONG status =
        _kvGraphCptHistParam(graph, n, left, r[0], r[1], r[2], r[3], r[4], r[5],
                             r[6], r[7], r[8], r[9]);
    return status == 1 && n == count;
  });
  _kvDeleteKvGraphObj(graph);
}

// A cloud shaped like a real one: semivariances growing with the lag.
void CloudDraw(LONG count) {
  constexpr double kMaxLag = 370.0;
  constexpr double kMaxGamma = 37.0;
  std::mt19937_64 generator(kSeed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> lags(static_cast<size_t>(count));
  std::vector<double> gammas(static_cast<size_t>(count));
  for (size_t i = 0; i < lags.size(); ++i) {
    lags[i] = kMaxLag * unit(generator);
    const double trend = kMaxGamma * (1.0 - std::exp(-lags[i] / 120.0));
    gammas[i] = std::min(kMaxGamma, trend * (0.4 + 1.2 * unit(generator)));
  }
  const std::string path =
      "/tmp/host_cold_call_cloud_" + std::to_string(getpid()) + ".png";
  Measure("cloud", [&] {
    CKorvaGraph* graph = _kvCreateKvGraphObj(10);
    _kvGraphLoadLocPnts(graph, lags.data(), gammas.data(), count);
    _kvGraphSetDataExtr(graph, 0.0, kMaxLag);
    _kvGraphSetDataExtr2(graph, 0.0, kMaxGamma);
    _kvGraphSetAxiName(graph, "Distance", "Semivariance");
    CanvasWindow window(800, 600);
    const LONG status = _kvGraphDrawVrgCldPlt(graph, window.Wnd());
    const bool saved = window.SavePng(path);
    _kvDeleteKvGraphObj(graph);
    return status == 1 && saved;
  });
  std::remove(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s nscore|hist|cloud COUNT\n", argv[0]);
    return 2;
  }
  const std::string call = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  if (count <= 0 || count > 100000000) {
    std::fprintf(stderr, "COUNT must be 1 .. 100000000\n");
    return 2;
  }
  const LONG n = static_cast<LONG>(count);
  if (call == "nscore") {
    NormalScores(n);
  } else if (call == "hist") {
    HistogramStep(n);
  } else if (call == "cloud") {
    CloudDraw(n);
  } else {
    std::fprintf(stderr, "unknown call: %s\n", call.c_str());
    return 2;
  }
  return 0;
}
