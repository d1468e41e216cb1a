// Vector pictures of the variogram cloud: a million sample pairs drawn once,
// then saved as SVG, PDF and a PNG at twice the size from the window's
// display list. Reports the time of a save and the file's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/cloud_data.h"
#include "korvagraph/canvas_window.h"

namespace {

enum Format { kSvg, kPdf, kPng2 };

bool Save(const CanvasWindow& window, Format format, const std::string& path) {
  switch (format) {
    case kSvg:
      return window.SaveSvg(path);
    case kPdf:
      return window.SavePdf(path);
    case kPng2:
      return window.SaveScaledPng(path, 2.0);
  }
  return false;
}

// range(0): the format; range(1): the number of cloud points.
void BM_CloudVector(benchmark::State& state) {
  const auto format = static_cast<Format>(state.range(0));
  bench::CloudData cloud =
      bench::MakeCloud(static_cast<LONG>(state.range(1)), 1000);
  CKorvaGraph* graph = bench::MakeCloudGraph(&cloud);
  CanvasWindow window(800, 600);
  _kvGraphDrawVrgCldPlt(graph, window.Wnd());
  const std::string path =
      (std::filesystem::temp_directory_path() / "kg_vector_bench").string();
  for (auto _ : state) {
    if (!Save(window, format, path)) state.SkipWithError("save failed");
  }
  std::error_code ec;
  state.counters["file_MB"] =
      static_cast<double>(std::filesystem::file_size(path, ec)) / 1e6;
  std::remove(path.c_str());
  _kvDeleteKvGraphObj(graph);
}
BENCHMARK(BM_CloudVector)
    ->ArgNames({"format", "points"})
    ->Args({kSvg, bench::kMillion})
    ->Args({kPdf, bench::kMillion})
    ->Args({kPng2, bench::kMillion})
    ->Args({kSvg, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
