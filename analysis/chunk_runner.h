// RunChunks: runs numbered pieces of work on every core. Each chunk is run
// exactly once, by one thread; callers that keep one result per chunk and
// merge them in chunk order get the same answer on any number of cores.
#ifndef ANALYSIS_CHUNK_RUNNER_H_
#define ANALYSIS_CHUNK_RUNNER_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "korvagraph/analysis/progress.h"

namespace korvagraph::analysis {

// Returns the number of threads RunChunks uses: one per core.
int WorkerCount();

// Calls run(chunk) for chunk = 0 .. work.size() - 1 on WorkerCount()
// threads and returns when all are done. work[chunk] is the chunk's size in
// progress units; progress (may be empty) is told from the calling thread
// under the name step. Returns false when progress cancelled: chunks not
// yet started are then skipped. REQUIRES: run is safe to call from several
// threads at once.
bool RunChunks(const std::vector<int64_t>& work,
               const std::function<void(int chunk)>& run, const char* step,
               const ProgressCallback& progress);

// As RunChunks, and calls finish(chunk) after run(chunk), for every chunk
// run, in chunk order and one call at a time: a caller merges each chunk's
// result there and frees it, so that only the chunks under way or waiting
// for an earlier one hold results.
bool RunChunksInOrder(const std::vector<int64_t>& work,
                      const std::function<void(int chunk)>& run,
                      const std::function<void(int chunk)>& finish,
                      const char* step, const ProgressCallback& progress);

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_CHUNK_RUNNER_H_
