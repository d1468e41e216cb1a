// PairGrid: located samples sorted into square cells at least as wide as a
// reach, so that every pair closer than the reach lies in one cell or two
// neighbouring ones and farther pairs are mostly never visited. The grid
// keeps its own copy of the coordinates and values, in cell order.
#ifndef ANALYSIS_PAIR_GRID_H_
#define ANALYSIS_PAIR_GRID_H_

#include <cstdint>
#include <vector>

#include "korvagraph/analysis/samples.h"

namespace korvagraph::analysis {

class PairGrid {
 public:
  // Splits the candidate pairs into about chunk_count chunks of similar
  // size. Without a finite positive reach, or with coordinates that are not
  // finite, every pair is a candidate.
  PairGrid(const Samples& samples, double reach, int chunk_count);

  // Samples in cell order.
  const std::vector<double>& x() const { return x_; }
  const std::vector<double>& y() const { return y_; }
  const std::vector<double>& value() const { return value_; }
  // The sample number (index into the samples given) of each.
  const std::vector<int32_t>& number() const { return number_; }

  // Candidate pairs of each chunk; the chunks cover every pair closer than
  // the reach exactly once.
  const std::vector<int64_t>& ChunkWork() const { return chunk_work_; }

  // Calls visit(a, begin, end) for runs of candidate pairs (a, b), b in
  // [begin, end), a < begin: positions in cell order.
  template <typename Visit>
  void ForEachRun(int chunk, Visit visit) const {
    for (size_t a = chunk_start_[chunk]; a < chunk_start_[chunk + 1]; ++a) {
      const Runs runs = RunsOf(a);
      if (runs.first_end > a + 1) visit(a, a + 1, runs.first_end);
      if (runs.second_end > runs.second_begin) {
        visit(a, runs.second_begin, runs.second_end);
      }
    }
  }

 private:
  // The rest of a's cell with the next cell on its row, and the three cells
  // above it: the half of the neighbourhood that follows a.
  struct Runs {
    size_t first_end;
    size_t second_begin;
    size_t second_end;
  };
  Runs RunsOf(size_t a) const;
  void SplitIntoChunks(int chunk_count);

  int columns_ = 1;
  int rows_ = 1;
  std::vector<size_t> cell_start_;  // columns_ * rows_ + 1 entries
  std::vector<int32_t> cell_;       // cell of each sample, in cell order
  std::vector<double> x_, y_, value_;
  std::vector<int32_t> number_;
  std::vector<size_t> chunk_start_;
  std::vector<int64_t> chunk_work_;
};

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_GRID_H_
