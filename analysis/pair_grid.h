// PairGrid: located samples sorted into square cells a reach wide, so that
// every pair closer than the reach lies in cells near each other and
// farther pairs are mostly never visited. The grid keeps its own copy of
// the coordinates and values, in cell order.
//
// Large sets (kLargeSet samples or more) are laid out for speed: cells of a
// half, a quarter or an eighth of the reach where that visits clearly fewer
// pairs, and the samples of a cell spread out of their order, so that
// neighbours in a file seldom follow each other. Smaller sets keep
// reach-wide cells and the samples' order: the pairs come in the order of
// earlier versions, and so do their sums, to the last bit.
#ifndef ANALYSIS_PAIR_GRID_H_
#define ANALYSIS_PAIR_GRID_H_

#include <cstdint>
#include <vector>

#include "korvagraph/analysis/samples.h"

namespace korvagraph::analysis {

class PairGrid {
 public:
  static constexpr size_t kLargeSet = 10000;

  // Splits the candidate pairs into chunk_count chunks of similar size, or
  // more where a chunk would hold more than chunk_work pairs (0: no limit).
  // Without a finite positive reach, or with coordinates that are not
  // finite, every pair is a candidate.
  PairGrid(const Samples& samples, double reach, int chunk_count,
           int64_t chunk_work = 0);

  // True for a set laid out for speed (see above).
  bool large() const { return large_; }

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
      const int cell = cell_[a];
      const size_t row_end = layout_.RowEnd(cell);
      if (row_end > a + 1) visit(a, a + 1, row_end);
      for (int dy = 1; dy <= layout_.reach_cells; ++dy) {
        const Run run = layout_.Above(cell, dy);
        if (run.end > run.begin) visit(a, run.begin, run.end);
      }
    }
  }

 private:
  struct Run {
    size_t begin;
    size_t end;
  };
  // Cells of one width over the samples' box, and how far a sample's
  // neighbours reach: reach_cells cells along its row and as many rows up,
  // span[dy] cells either side on the row dy above.
  struct Layout {
    int columns = 1;
    int rows = 1;
    int reach_cells = 1;
    std::vector<int> span = {0, 1};
    std::vector<int32_t> cell_of;    // of each sample, in sample order
    std::vector<size_t> cell_start;  // columns * rows + 1 entries

    // Returns the end of the cells from cell on along its row that can hold
    // a neighbour: the first run of a sample of cell is the rest of it.
    size_t RowEnd(int cell) const;
    // Returns the cells on the row dy above cell that can hold a neighbour.
    Run Above(int cell, int dy) const;
    // Returns the candidate pairs of the layout.
    int64_t Work() const;
    // Returns the work of a pass over it, in pairs.
    double Cost() const;
  };

  // Returns cells a given number to the reach, as wide as the box allows.
  struct Box;
  static Layout LayOut(const Samples& samples, const Box& box, double reach,
                       int cells_per_reach);
  void SplitIntoChunks(int chunk_count, int64_t chunk_work);

  bool large_ = false;
  Layout layout_;
  std::vector<int32_t> cell_;  // cell of each sample, in cell order
  std::vector<double> x_, y_, value_;
  std::vector<int32_t> number_;
  std::vector<size_t> chunk_start_;
  std::vector<int64_t> chunk_work_;
};

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_PAIR_GRID_H_
