// Progress of the long computations (the pair loops of the variograms and
// the cloud): a host's callback is told how far a step is and may cancel it.
#ifndef KORVAGRAPH_ANALYSIS_PROGRESS_H_
#define KORVAGRAPH_ANALYSIS_PROGRESS_H_

#include <cstdint>
#include <functional>

namespace korvagraph::analysis {

struct ProgressReport {
  const char* step;  // "variograms", "variogram cloud"
  int64_t done;      // units finished (sample pairs looked at)
  int64_t total;     // units the step takes
};

// Called on the thread that started the computation, after each piece of
// work (a few dozen per step, so at least once a second on large data).
// Returns false to cancel: the computation stops after the pieces under way
// and reports Status::Cancelled(). An empty callback is never called.
using ProgressCallback = std::function<bool(const ProgressReport&)>;

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_PROGRESS_H_
