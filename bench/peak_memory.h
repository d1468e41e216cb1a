// Peak resident memory of the benchmark process, reported beside a
// benchmark's times as the counter "peak_MiB".
#ifndef BENCH_PEAK_MEMORY_H_
#define BENCH_PEAK_MEMORY_H_

#include <benchmark/benchmark.h>
#include <sys/resource.h>

// Sets the counter to the process's peak resident size so far, in MiB.
inline void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

#endif  // BENCH_PEAK_MEMORY_H_
