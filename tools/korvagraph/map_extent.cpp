#include "tools/korvagraph/map_extent.h"

namespace {

// Returns the widened window of one field of the samples.
DataWindow FieldWindow(const std::vector<KvDiscPnt>& samples,
                       double KvDiscPnt::*field) {
  std::vector<double> values;
  values.reserve(samples.size());
  for (const KvDiscPnt& s : samples) values.push_back(s.*field);
  return Widened(WindowOf(values));
}

}  // namespace

MapExtent MapExtentOf(const std::vector<KvDiscPnt>& samples) {
  const DataWindow x = FieldWindow(samples, &KvDiscPnt::x);
  const DataWindow y = FieldWindow(samples, &KvDiscPnt::y);
  const DataWindow z = FieldWindow(samples, &KvDiscPnt::z);
  MapExtent extent;
  extent.minimum = {x.minimum, y.minimum, z.minimum};
  extent.maximum = {x.maximum, y.maximum, z.maximum};
  extent.values = FieldWindow(samples, &KvDiscPnt::value);
  return extent;
}
