#include "analysis/pair_grid.h"

#include <algorithm>
#include <cmath>

namespace korvagraph::analysis {
namespace {

// Cells a little wider than the reach, so that rounding in the cell number
// never puts two samples closer than the reach two cells apart.
constexpr double kCellMargin = 1.0 + 1e-9;

// Returns the cell of coordinate v along an axis starting at low.
int CellOf(double v, double low, double width, int cells) {
  const double cell = std::floor((v - low) / width);
  return static_cast<int>(std::clamp(cell, 0.0, cells - 1.0));
}

}  // namespace

PairGrid::PairGrid(const Samples& samples, double reach, int chunk_count) {
  const size_t n = static_cast<size_t>(samples.size());
  const std::vector<double>& sx = samples.x;
  const std::vector<double>& sy = samples.y;
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  bool finite = n > 0;
  for (size_t i = 0; i < n; ++i) {
    finite = finite && std::isfinite(sx[i]) && std::isfinite(sy[i]);
    min_x = i == 0 ? sx[i] : std::min(min_x, sx[i]);
    max_x = i == 0 ? sx[i] : std::max(max_x, sx[i]);
    min_y = i == 0 ? sy[i] : std::min(min_y, sy[i]);
    max_y = i == 0 ? sy[i] : std::max(max_y, sy[i]);
  }
  double width = 0.0;
  if (finite && reach > 0.0 && std::isfinite(reach)) {
    // No more cells than samples (the square root of their number along
    // each axis): empty cells cost time.
    const double cap =
        std::max(1.0, std::floor(std::sqrt(static_cast<double>(n))));
    const double extent = std::max(max_x - min_x, max_y - min_y);
    width = std::max(reach * kCellMargin, extent / cap);
    if (std::isfinite(width) && width > 0.0) {
      columns_ = static_cast<int>(std::min(cap, (max_x - min_x) / width + 1));
      rows_ = static_cast<int>(std::min(cap, (max_y - min_y) / width + 1));
    }
  }
  // Counting sort of the samples by cell.
  std::vector<int32_t> cell_of(n, 0);
  cell_start_.assign(static_cast<size_t>(columns_) * rows_ + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    if (columns_ * rows_ > 1) {
      cell_of[i] = CellOf(sy[i], min_y, width, rows_) * columns_ +
                   CellOf(sx[i], min_x, width, columns_);
    }
    ++cell_start_[cell_of[i] + 1];
  }
  for (size_t c = 1; c < cell_start_.size(); ++c) {
    cell_start_[c] += cell_start_[c - 1];
  }
  std::vector<size_t> fill(cell_start_.begin(), cell_start_.end() - 1);
  x_.resize(n);
  y_.resize(n);
  value_.resize(n);
  number_.resize(n);
  cell_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const size_t at = fill[cell_of[i]]++;
    x_[at] = sx[i];
    y_[at] = sy[i];
    value_[at] = samples.value[i];
    number_[at] = static_cast<int32_t>(i);
    cell_[at] = cell_of[i];
  }
  SplitIntoChunks(std::max(1, chunk_count));
}

PairGrid::Runs PairGrid::RunsOf(size_t a) const {
  const int cell = cell_[a];
  const int column = cell % columns_;
  const int row = cell / columns_;
  Runs runs{cell_start_[cell + (column + 1 < columns_ ? 2 : 1)], 0, 0};
  if (row + 1 < rows_) {
    const int above = cell + columns_;
    runs.second_begin = cell_start_[above - (column > 0 ? 1 : 0)];
    runs.second_end = cell_start_[above + (column + 1 < columns_ ? 2 : 1)];
  }
  return runs;
}

void PairGrid::SplitIntoChunks(int chunk_count) {
  const size_t n = x_.size();
  std::vector<int64_t> work(n);
  int64_t total = 0;
  for (size_t a = 0; a < n; ++a) {
    const Runs runs = RunsOf(a);
    work[a] = static_cast<int64_t>(runs.first_end - a - 1 + runs.second_end -
                                   runs.second_begin);
    total += work[a];
  }
  // Closes a chunk once the work so far reaches its share of the total.
  chunk_start_.assign(1, 0);
  chunk_work_.clear();
  int64_t closed = 0;  // work of the chunks closed so far
  int64_t in_chunk = 0;
  for (size_t a = 0; a < n; ++a) {
    in_chunk += work[a];
    const int64_t next = static_cast<int64_t>(chunk_work_.size()) + 1;
    if (next < chunk_count && in_chunk > 0 &&
        closed + in_chunk >= total / chunk_count * next) {
      chunk_start_.push_back(a + 1);
      chunk_work_.push_back(in_chunk);
      closed += in_chunk;
      in_chunk = 0;
    }
  }
  chunk_start_.push_back(n);
  chunk_work_.push_back(in_chunk);
}

}  // namespace korvagraph::analysis
