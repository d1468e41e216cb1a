#include "tools/korvagraph/map_extent.h"

#include <cmath>

namespace {

// The charts take a minimum above this as 0 when flooring their origin.
constexpr double kZeroSnap = -0.00001;
// Rounding may differ from the library's in the last bits: an axis must
// pass the maximum by this part of its range to count as reaching it.
constexpr double kMargin = 1e-9;
constexpr int kMostRaises = 8;

// The axis a chart with a floored origin draws for a window: the tick step
// is 2, 5 or 10 times a power of ten, about a tenth of the range; the range
// grows to whole steps plus one (two from a step of 9 up); the origin is
// the minimum floored to a step (one step lower below kZeroSnap).
struct FlooredAxis {
  double origin;
  double end;
  double step;
};

FlooredAxis AxisOf(const DataWindow& window) {
  const double range = window.maximum - window.minimum;
  double mantissa = range;
  int power = 0;
  for (; mantissa < 10.0; mantissa *= 10.0) --power;
  for (; mantissa >= 100.0; mantissa /= 10.0) ++power;
  const double base = mantissa < 25.0 ? 2.0 : mantissa < 50.0 ? 5.0 : 10.0;
  const double step = base * std::pow(10.0, power);
  const double steps = std::trunc(range / step) + (step < 9.0 ? 1.0 : 2.0);
  const double below = window.minimum >= kZeroSnap ? 0.0 : 1.0;
  const double origin = std::trunc(window.minimum / step - below) * step;
  return {origin, origin + steps * step, step};
}

// Returns the widened window of one field of the samples.
DataWindow FieldWindow(const std::vector<KvDiscPnt>& samples,
                       double KvDiscPnt::*field) {
  std::vector<double> values;
  values.reserve(samples.size());
  for (const KvDiscPnt& s : samples) values.push_back(s.*field);
  return Widened(WindowOf(values));
}

}  // namespace

DataWindow AxisExtent(DataWindow window) {
  const double maximum = window.maximum;
  if (!std::isfinite(maximum - window.minimum)) return window;
  if (window.minimum < 0.0 && window.minimum >= kZeroSnap) {
    window.minimum = 2.0 * kZeroSnap;
  }
  for (int raise = 0; raise < kMostRaises; ++raise) {
    const FlooredAxis axis = AxisOf(window);
    const double margin = kMargin * (axis.end - axis.origin);
    if (axis.end >= maximum + margin) return window;
    window.maximum += 0.5 * axis.step;
  }
  // A step is at most a fifth of the range: a quarter more always reaches.
  window.maximum = maximum + 0.25 * (maximum - window.minimum);
  return window;
}

MapExtent MapExtentOf(const std::vector<KvDiscPnt>& samples) {
  const DataWindow x = AxisExtent(FieldWindow(samples, &KvDiscPnt::x));
  const DataWindow y = AxisExtent(FieldWindow(samples, &KvDiscPnt::y));
  const DataWindow z = AxisExtent(FieldWindow(samples, &KvDiscPnt::z));
  MapExtent extent;
  extent.minimum = {x.minimum, y.minimum, z.minimum};
  extent.maximum = {x.maximum, y.maximum, z.maximum};
  extent.values = FieldWindow(samples, &KvDiscPnt::value);
  return extent;
}
