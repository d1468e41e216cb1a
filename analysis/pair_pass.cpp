#include "analysis/pair_pass.h"

#include <algorithm>
#include <memory>

#include "analysis/chunk_runner.h"
#include "analysis/pair_grid.h"
#include "analysis/pair_kernel.h"

namespace korvagraph::analysis {
namespace {

// Chunks of the pass, each with its own sums merged in order: at least
// enough to keep every core busy, and more on large data so that a chunk
// takes a fraction of a second and progress is told often.
constexpr int kChunks = 64;
constexpr int64_t kChunkPairs = int64_t{1} << 26;
// Runs handed to the kernel at once.
constexpr size_t kRunBatch = 4096;

// What one chunk leaves until it is merged.
struct ChunkResult {
  VariogramSums sums;
  std::vector<ClosePair> best;
};

}  // namespace

Status RunPairPass(const Samples& samples, const PairLoop& loop,
                   const char* step, const ProgressCallback& progress,
                   PairPassResult* result) {
  const PairGrid grid(samples, loop.Reach(), kChunks, kChunkPairs);
  const PairArrays arrays{grid.x().data(), grid.y().data(), grid.value().data(),
                          grid.number().data(), samples.size()};
  const std::vector<int64_t>& work = grid.ChunkWork();
  std::vector<std::unique_ptr<ChunkResult>> chunks(work.size());
  auto run_chunk = [&](int chunk) {
    // Large sets spread their sums over copies of the table; small ones
    // add to each sum in pair order, as earlier versions did.
    PairTally tally(loop, grid.large() ? kTableCopies : 1);
    std::vector<PairRun> runs;
    runs.reserve(kRunBatch);
    grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
      runs.push_back({a, begin, end});
      if (runs.size() == kRunBatch) {
        TallyRuns(loop, arrays, runs.data(), runs.size(), &tally);
        runs.clear();
      }
    });
    TallyRuns(loop, arrays, runs.data(), runs.size(), &tally);
    auto done = std::make_unique<ChunkResult>();
    done->sums = loop.EmptySums();
    loop.Fold(tally, &done->sums);
    done->best = std::move(tally.best.kept());
    chunks[chunk] = std::move(done);
  };
  VariogramSums total = loop.EmptySums();
  std::vector<ClosePair> close;
  auto merge_chunk = [&](int chunk) {
    MergeVariogramSums(chunks[chunk]->sums, &total);
    close.insert(close.end(), chunks[chunk]->best.begin(),
                 chunks[chunk]->best.end());
    chunks[chunk].reset();
  };
  if (!RunChunksInOrder(work, run_chunk, merge_chunk, step, progress)) {
    return Status::Cancelled();
  }
  std::sort(close.begin(), close.end(), Before);
  if (close.size() > loop.highlight()) close.resize(loop.highlight());
  result->sums = std::move(total);
  result->close_pairs.clear();
  for (const ClosePair& c : close) result->close_pairs.push_back(c.pair);
  return Status::Ok();
}

}  // namespace korvagraph::analysis
