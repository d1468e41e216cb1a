#include "tools/korvagraph/map_extent.h"

namespace {

// The charts take a minimum above this as 0 when flooring their origin.
constexpr double kZeroSnap = -0.00001;

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
  if (window.minimum < 0.0 && window.minimum >= kZeroSnap) {
    window.minimum = 2.0 * kZeroSnap;
  }
  window.maximum += 0.25 * (window.maximum - window.minimum);
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
