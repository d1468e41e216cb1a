#include "analysis/map_kernel.h"

#include <cmath>

// Highway compiles this file once per instruction set (foreach_target) and
// calls the best one the processor has.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "analysis/map_kernel.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#ifndef ANALYSIS_MAP_KERNEL_ONCE_
#define ANALYSIS_MAP_KERNEL_ONCE_
namespace korvagraph::analysis {
namespace {

// The cell of one separation as the rule states it, or -1 off the map.
int CellOf(double d, const MapTable& table) {
  const double cell = std::round(d / table.lag);
  return std::fabs(cell) <= table.cells ? static_cast<int>(cell) + table.cells
                                        : -1;
}

// Adds the pair (a, b) by the rule itself: the run's tail, and lanes next
// to a half.
void AddPair(const double* x, const double* y, const double* value, size_t a,
             size_t b, const MapTable& table) {
  const int i = CellOf(x[b] - x[a], table);
  const int j = CellOf(y[b] - y[a], table);
  const size_t side = 2 * static_cast<size_t>(table.cells) + 1;
  const size_t at = i >= 0 && j >= 0 ? j * side + i
                                     : side * side + b % kMapSpares;
  const double diff = value[b] - value[a];
  table.sums[2 * at] += diff * diff;
  table.sums[2 * at + 1] += 1.0;
}

}  // namespace
}  // namespace korvagraph::analysis
#endif  // ANALYSIS_MAP_KERNEL_ONCE_

HWY_BEFORE_NAMESPACE();
namespace korvagraph::analysis {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Far wider than the error of the product by the reciprocal (two units in
// the last place of a number near the map), far narrower than a cell: a
// lane this close to a half is left to the division.
constexpr double kNearHalf = 1e-9;

void TallyMapRunOn(const double* x, const double* y, const double* value,
                   size_t a, size_t begin, size_t end, const MapTable& table) {
  using D = hn::ScalableTag<double>;
  const D d;
  const size_t lanes = hn::Lanes(d);
  const double side = 2.0 * table.cells + 1.0;
  HWY_ALIGN double spares[hn::MaxLanes(d)];
  for (size_t k = 0; k < lanes; ++k) {
    spares[k] = side * side + static_cast<double>(k % kMapSpares);
  }
  const auto spare = hn::Load(d, spares);
  const auto xa = hn::Set(d, x[a]), ya = hn::Set(d, y[a]);
  const auto va = hn::Set(d, value[a]);
  const auto inverse = hn::Set(d, 1.0 / table.lag);
  const auto limit = hn::Set(d, table.cells + 0.5);
  const auto centre = hn::Set(d, static_cast<double>(table.cells));
  const auto row = hn::Set(d, side);
  const auto half = hn::Set(d, 0.5), near_half = hn::Set(d, kNearHalf);
  HWY_ALIGN double cells[hn::MaxLanes(d)];
  HWY_ALIGN double squared[hn::MaxLanes(d)];
  size_t b = begin;
  for (; b + lanes <= end; b += lanes) {
    const auto vx = hn::Mul(hn::Sub(hn::LoadU(d, x + b), xa), inverse);
    const auto vy = hn::Mul(hn::Sub(hn::LoadU(d, y + b), ya), inverse);
    // Away from halves, rounding to even is rounding away from zero, and
    // the product rounds as the quotient would.
    const auto rx = hn::Round(vx), ry = hn::Round(vy);
    const auto near =
        hn::Or(hn::Lt(hn::Abs(hn::Sub(hn::Abs(hn::Sub(vx, rx)), half)),
                      near_half),
               hn::Lt(hn::Abs(hn::Sub(hn::Abs(hn::Sub(vy, ry)), half)),
                      near_half));
    // Lanes next to a half go to the spares here, and to their cells by
    // the division below.
    const auto on_map = hn::AndNot(
        near, hn::And(hn::Lt(hn::Abs(vx), limit),
                      hn::Lt(hn::Abs(vy), limit)));  // NaN is off
    const auto cell = hn::MulAdd(hn::Add(ry, centre), row, hn::Add(rx, centre));
    hn::Store(hn::IfThenElse(on_map, cell, spare), d, cells);
    const auto diff = hn::Sub(hn::LoadU(d, value + b), va);
    hn::Store(hn::Mul(diff, diff), d, squared);
    for (size_t k = 0; k < lanes; ++k) {
      double* at = table.sums + 2 * static_cast<size_t>(cells[k]);
      at[0] += squared[k];
      at[1] += 1.0;
    }
    if (!hn::AllFalse(d, near)) {
      hn::Store(hn::VecFromMask(d, near), d, squared);  // lanes of all ones
      for (size_t k = 0; k < lanes; ++k) {
        if (squared[k] != 0.0) AddPair(x, y, value, a, b + k, table);
      }
    }
  }
  for (; b < end; ++b) AddPair(x, y, value, a, b, table);
}

}  // namespace HWY_NAMESPACE
}  // namespace korvagraph::analysis
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace korvagraph::analysis {

HWY_EXPORT(TallyMapRunOn);

void TallyMapRun(const double* x, const double* y, const double* value,
                 size_t a, size_t begin, size_t end, const MapTable& table) {
  HWY_DYNAMIC_DISPATCH(TallyMapRunOn)(x, y, value, a, begin, end, table);
}

}  // namespace korvagraph::analysis
#endif  // HWY_ONCE
