#include "analysis/pair_grid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace korvagraph::analysis {
namespace {

// Cells a little wider than their share of the reach, so that rounding in
// the cell number never puts two samples closer than the reach farther
// apart than the neighbourhood.
constexpr double kCellMargin = 1.0 + 1e-9;
// Finer cells (a half, a quarter, an eighth of the reach) pass over more of
// the pairs beyond the reach, at the cost of more runs, each worth this many
// pairs; they are taken when they cost at most kFinerWorthIt of the
// coarser.
constexpr double kRunCost = 32.0;
constexpr double kFinerWorthIt = 0.9;
constexpr int kFinest = 8;

// Returns a step through 0 .. n - 1 that visits each number once (a step
// prime to n), far from 1 so that neighbours in a file part.
uint64_t SpreadingStep(uint64_t n) {
  uint64_t step = (n * 5 / 8) | 1;
  while (std::gcd(step, n) != 1) step += 2;
  return step;
}

// Returns the cell of coordinate v along an axis starting at low.
int CellOf(double v, double low, double width, int cells) {
  const double cell = std::floor((v - low) / width);
  return static_cast<int>(std::clamp(cell, 0.0, cells - 1.0));
}

}  // namespace

// The samples' bounding box, and whether their coordinates are finite.
struct PairGrid::Box {
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  bool finite = false;
};

size_t PairGrid::Layout::RowEnd(int cell) const {
  const int column = cell % columns;
  return cell_start[cell + std::min(reach_cells, columns - 1 - column) + 1];
}

PairGrid::Run PairGrid::Layout::Above(int cell, int dy) const {
  const int column = cell % columns;
  if (cell / columns + dy >= rows) return {0, 0};
  const int above = cell + dy * columns;
  const int left = std::min(span[dy], column);
  const int right = std::min(span[dy], columns - 1 - column);
  return {cell_start[above - left], cell_start[above + right + 1]};
}

double PairGrid::Layout::Cost() const {
  const double runs = static_cast<double>(cell_of.size()) * (1.0 + reach_cells);
  return static_cast<double>(Work()) + kRunCost * runs;
}

int64_t PairGrid::Layout::Work() const {
  int64_t work = 0;
  for (int cell = 0; cell + 1 < static_cast<int>(cell_start.size()); ++cell) {
    const int64_t count =
        static_cast<int64_t>(cell_start[cell + 1] - cell_start[cell]);
    int64_t neighbours =
        static_cast<int64_t>(RowEnd(cell) - cell_start[cell + 1]);
    for (int dy = 1; dy <= reach_cells; ++dy) {
      const Run run = Above(cell, dy);
      neighbours += static_cast<int64_t>(run.end - run.begin);
    }
    work += count * (count - 1) / 2 + count * neighbours;
  }
  return work;
}

PairGrid::Layout PairGrid::LayOut(const Samples& samples, const Box& box,
                                  double reach, int cells_per_reach) {
  const size_t n = static_cast<size_t>(samples.size());
  Layout layout;
  double width = 0.0;
  if (box.finite && reach > 0.0 && std::isfinite(reach)) {
    // No more cells than samples (the square root of their number along
    // each axis): empty cells cost time.
    const double cap =
        std::max(1.0, std::floor(std::sqrt(static_cast<double>(n))));
    const double extent =
        std::max(box.max_x - box.min_x, box.max_y - box.min_y);
    width = std::max(reach * kCellMargin / cells_per_reach, extent / cap);
    if (std::isfinite(width) && width > 0.0) {
      layout.columns =
          static_cast<int>(std::min(cap, (box.max_x - box.min_x) / width + 1));
      layout.rows =
          static_cast<int>(std::min(cap, (box.max_y - box.min_y) / width + 1));
      // A cell dx along and dy up is at least (dx - 1, dy - 1) widths away.
      const double cells = reach * kCellMargin / width;
      layout.reach_cells = std::max(1, static_cast<int>(std::ceil(cells)));
      layout.span.assign(layout.reach_cells + 1, 0);
      for (int dy = 1; dy <= layout.reach_cells; ++dy) {
        int dx = 0;
        while (dx < layout.reach_cells && std::hypot(dx, dy - 1) < cells) {
          ++dx;
        }
        layout.span[dy] = dx;
      }
    }
  }
  // Counting sort of the samples by cell.
  const size_t cell_count = static_cast<size_t>(layout.columns) * layout.rows;
  layout.cell_of.assign(n, 0);
  layout.cell_start.assign(cell_count + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    if (cell_count > 1) {
      layout.cell_of[i] =
          CellOf(samples.y[i], box.min_y, width, layout.rows) * layout.columns +
          CellOf(samples.x[i], box.min_x, width, layout.columns);
    }
    ++layout.cell_start[layout.cell_of[i] + 1];
  }
  for (size_t c = 1; c < layout.cell_start.size(); ++c) {
    layout.cell_start[c] += layout.cell_start[c - 1];
  }
  return layout;
}

PairGrid::PairGrid(const Samples& samples, double reach, int chunk_count,
                   int64_t chunk_work) {
  const size_t n = static_cast<size_t>(samples.size());
  const std::vector<double>& sx = samples.x;
  const std::vector<double>& sy = samples.y;
  Box box;
  box.finite = n > 0;
  for (size_t i = 0; i < n; ++i) {
    box.finite = box.finite && std::isfinite(sx[i]) && std::isfinite(sy[i]);
    box.min_x = i == 0 ? sx[i] : std::min(box.min_x, sx[i]);
    box.max_x = i == 0 ? sx[i] : std::max(box.max_x, sx[i]);
    box.min_y = i == 0 ? sy[i] : std::min(box.min_y, sy[i]);
    box.max_y = i == 0 ? sy[i] : std::max(box.max_y, sy[i]);
  }
  layout_ = LayOut(samples, box, reach, 1);
  double cost = layout_.Cost();
  large_ = n >= kLargeSet;
  for (int cells = 2;
       cells <= kFinest && large_ && layout_.columns * layout_.rows > 1;
       cells *= 2) {
    Layout finer = LayOut(samples, box, reach, cells);
    if (finer.Cost() < kFinerWorthIt * cost) {
      cost = finer.Cost();
      layout_ = std::move(finer);
    }
  }
  std::vector<size_t> fill(layout_.cell_start.begin(),
                           layout_.cell_start.end() - 1);
  x_.resize(n);
  y_.resize(n);
  value_.resize(n);
  number_.resize(n);
  cell_.resize(n);
  const uint64_t step = large_ ? SpreadingStep(n) : 1;
  for (size_t j = 0; j < n; ++j) {
    const size_t i = static_cast<size_t>(j * step % n);
    const int32_t cell = layout_.cell_of[i];
    const size_t at = fill[cell]++;
    x_[at] = sx[i];
    y_[at] = sy[i];
    value_[at] = samples.value[i];
    number_[at] = static_cast<int32_t>(i);
    cell_[at] = cell;
  }
  layout_.cell_of = std::vector<int32_t>();
  SplitIntoChunks(std::max(1, chunk_count), chunk_work);
}

void PairGrid::SplitIntoChunks(int chunk_count, int64_t chunk_work) {
  const size_t n = x_.size();
  std::vector<int64_t> work(n);
  int64_t total = 0;
  for (size_t a = 0; a < n; ++a) {
    const int cell = cell_[a];
    work[a] = static_cast<int64_t>(layout_.RowEnd(cell) - a - 1);
    for (int dy = 1; dy <= layout_.reach_cells; ++dy) {
      const Run run = layout_.Above(cell, dy);
      work[a] += static_cast<int64_t>(run.end - run.begin);
    }
    total += work[a];
  }
  if (chunk_work > 0) {
    chunk_count = static_cast<int>(std::max<int64_t>(
        chunk_count, std::min<int64_t>(total / chunk_work + 1, 1 << 20)));
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
