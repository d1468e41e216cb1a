// RunChunks: runs numbered pieces of work on every core. Each chunk is run
// exactly once, by one thread; callers that keep one result per chunk and
// merge them in chunk order get the same answer on any number of cores.
#ifndef TOOLS_KORVAGRAPH_CHUNK_RUNNER_H_
#define TOOLS_KORVAGRAPH_CHUNK_RUNNER_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/korvagraph/progress_line.h"

// Returns the number of threads RunChunks uses: one per core.
int WorkerCount();

// Calls run(chunk) for chunk = 0 .. work.size() - 1 on WorkerCount()
// threads and returns when all are done. work[chunk] is the chunk's size in
// the progress line's units; progress (may be null) is told from the calling
// thread. REQUIRES: run is safe to call from several threads at once.
void RunChunks(const std::vector<int64_t>& work,
               const std::function<void(int chunk)>& run,
               ProgressLine* progress);

#endif  // TOOLS_KORVAGRAPH_CHUNK_RUNNER_H_
