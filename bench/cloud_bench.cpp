// Speed of the variogram cloud: a million sample pairs drawn through the
// exports into an 800 x 600 window, each point with its own pen and brush.
#include <benchmark/benchmark.h>

#include "bench/cloud_data.h"
#include "bench/peak_memory.h"
#include "korvagraph/canvas_window.h"

namespace {

// The full draw export over range(0) points with range(1) selected.
void BM_CloudDraw(benchmark::State& state) {
  const LONG count = static_cast<LONG>(state.range(0));
  bench::CloudData cloud =
      bench::MakeCloud(count, static_cast<LONG>(state.range(1)));
  CKorvaGraph* graph = bench::MakeCloudGraph(&cloud);
  CanvasWindow window(800, 600);
  for (auto _ : state) {
    _kvGraphDrawVrgCldPlt(graph, window.Wnd());
    benchmark::ClobberMemory();
  }
  ReportPeakMemory(state);
  state.SetItemsProcessed(state.iterations() * count);
  _kvDeleteKvGraphObj(graph);
}
BENCHMARK(BM_CloudDraw)
    ->Args({bench::kMillion, 0})
    ->Args({bench::kMillion, 1000})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
