#include "analysis/charts/map_extent.h"

namespace korvagraph::analysis {
namespace {

// Returns the widened window of one field of the samples.
DataWindow FieldWindow(const std::vector<KvDiscPnt>& samples,
                       double KvDiscPnt::*field) {
  DataWindow window;
  for (size_t i = 0; i < samples.size(); ++i) {
    const double v = samples[i].*field;
    window.minimum = i == 0 ? v : std::min(window.minimum, v);
    window.maximum = i == 0 ? v : std::max(window.maximum, v);
  }
  return Widened(window);
}

}  // namespace

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

}  // namespace korvagraph::analysis
