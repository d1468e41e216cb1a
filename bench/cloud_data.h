// A variogram cloud for the benchmarks: a million sample pairs shaped like a
// real cloud, drawn through the exports into an 800 x 600 window.
#ifndef BENCH_CLOUD_DATA_H_
#define BENCH_CLOUD_DATA_H_

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"

namespace bench {

constexpr LONG kMillion = 1000000;
constexpr double kMaxLag = 370.0;
constexpr double kMaxGamma = 37.0;

// A cloud shaped like a real one: semivariances growing with the lag and
// scattered about the trend, all inside the data windows.
struct CloudData {
  std::vector<double> lags;
  std::vector<double> gammas;
  std::vector<LONG> selected;
};

inline CloudData MakeCloud(LONG count, LONG selected) {
  std::mt19937_64 generator(20240611);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  CloudData cloud;
  cloud.lags.resize(static_cast<size_t>(count));
  cloud.gammas.resize(static_cast<size_t>(count));
  for (LONG i = 0; i < count; ++i) {
    const double lag = kMaxLag * unit(generator);
    const double trend = kMaxGamma * (1.0 - std::exp(-lag / 120.0));
    cloud.lags[i] = lag;
    cloud.gammas[i] =
        std::min(kMaxGamma, trend * (0.4 + 1.2 * unit(generator)));
  }
  for (LONG j = 0; j < selected; ++j) {
    cloud.selected.push_back(static_cast<LONG>(unit(generator) * count));
  }
  return cloud;
}

// A cloud graph object over `cloud`'s arrays, with its windows and names.
inline CKorvaGraph* MakeCloudGraph(CloudData* cloud) {
  const LONG count = static_cast<LONG>(cloud->lags.size());
  CKorvaGraph* graph = _kvCreateKvGraphObj(10);
  _kvGraphLoadLocPnts(graph, cloud->lags.data(), cloud->gammas.data(), count);
  _kvGraphSetDataExtr(graph, 0.0, kMaxLag);
  _kvGraphSetDataExtr2(graph, 0.0, kMaxGamma);
  _kvGraphSetAxiName(graph, "Distance", "Semivariance");
  _kvLoadVrgCldSelInfo(graph, cloud->selected.data(),
                       static_cast<LONG>(cloud->selected.size()));
  return graph;
}

}  // namespace bench

#endif  // BENCH_CLOUD_DATA_H_
