// The Python module's calls made from C++: the same code the module runs
// for korvagraph.nscore and korvagraph.hist (python/src), from an array of
// doubles to the result, without Python in between. bench/python.sh runs
// it once per call in a fresh process beside the module's calls
// (bench/python_cold_call.py), so that the difference is what the module
// adds.
//
//   module_cold_call nscore N   normal scores of N lognormal values
//   module_cold_call hist N     histogram of N lognormal values, 20 classes:
//                               table, session, compute step and picture
//
// Prints one line: "<call> seconds=<wall time of the first call>
// peak_mib=<growth of the peak resident size during it>".
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "python/src/chart_result.h"
#include "python/src/transforms.h"

namespace {

using korvagraph::python::ChartRequest;
using korvagraph::python::ChartResult;

constexpr uint64_t kSeed = 20240611;
constexpr int kClasses = 20;

double PeakMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::vector<double> Lognormal(long count) {
  std::mt19937_64 generator(kSeed);
  std::lognormal_distribution<double> grade(0.0, 1.0);
  std::vector<double> values(static_cast<size_t>(count));
  for (double& value : values) value = grade(generator);
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string call = argc == 3 ? argv[1] : "";
  const long count = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 0;
  if ((call != "nscore" && call != "hist") || count <= 0 || count > 100000000) {
    std::fprintf(stderr, "usage: %s nscore|hist COUNT (1 .. 100000000)\n",
                 argv[0]);
    return 2;
  }
  const std::vector<double> values = Lognormal(count);
  const double peak = PeakMib();
  const auto start = std::chrono::steady_clock::now();
  bool ok = true;
  if (call == "nscore") {
    std::vector<double> scores(values.size());
    korvagraph::python::NormalScores(values.data(), count, -1e21, 1e21,
                                     scores.data());
  } else {
    korvagraph::analysis::Table table;
    table.AddColumn("value", values);
    ChartRequest request;
    request.settings.columns.primary = "value";
    request.chart.classes = kClasses;
    std::unique_ptr<ChartResult> chart;
    ok = ChartResult::Draw(std::move(table), request,
                           *korvagraph::analysis::FindChartKind("hist"), &chart)
             .ok();
  }
  const std::chrono::duration<double> wall =
      std::chrono::steady_clock::now() - start;
  std::printf("%s seconds=%.4f peak_mib=%.1f%s\n", call.c_str(), wall.count(),
              PeakMib() - peak, ok ? "" : " FAILED");
  return ok ? 0 : 1;
}
