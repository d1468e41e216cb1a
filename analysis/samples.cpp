#include "korvagraph/analysis/samples.h"

#include <algorithm>

namespace korvagraph::analysis {

void Samples::Append(double x_value, double y_value, double z_value,
                     double primary, double secondary, int64_t table_row) {
  x.push_back(x_value);
  y.push_back(y_value);
  z.push_back(z_value);
  value.push_back(primary);
  value2.push_back(secondary);
  row.push_back(table_row);
}

Samples LocatedSamples(const Table& table, const ColumnChoice& choice) {
  Samples samples;
  const std::vector<double>& xs = table.columns[choice.x];
  const std::vector<double>& ys = table.columns[choice.y];
  const std::vector<double>& vs = table.columns[choice.primary];
  const std::vector<double>* zs =
      choice.z == kNoColumn ? nullptr : &table.columns[choice.z];
  const std::vector<double>* second = choice.secondary == kNoColumn
                                          ? nullptr
                                          : &table.columns[choice.secondary];
  for (int64_t r = 0; r < table.RowCount(); ++r) {
    if (IsMissing(xs[r]) || IsMissing(ys[r]) || IsMissing(vs[r])) continue;
    samples.Append(xs[r], ys[r], zs == nullptr ? 0.0 : (*zs)[r], vs[r],
                   second == nullptr ? std::nan("") : (*second)[r], r);
  }
  return samples;
}

std::vector<KvDiscPnt> SampleRecords(const Samples& samples) {
  std::vector<KvDiscPnt> records(static_cast<size_t>(samples.size()),
                                 KvDiscPnt{});
  for (size_t i = 0; i < records.size(); ++i) {
    KvDiscPnt& r = records[i];
    r.x = samples.x[i];
    r.y = samples.y[i];
    r.z = samples.z[i];
    r.value = samples.value[i];
    r.value2 =
        IsMissing(samples.value2[i]) ? kMissingThreshold : samples.value2[i];
  }
  return records;
}

MapExtent MapExtentOf(const Samples& samples) {
  const auto widened = [](const std::vector<double>& values) {
    return Widened(WindowOf(values));
  };
  const DataWindow x = AxisExtent(widened(samples.x));
  const DataWindow y = AxisExtent(widened(samples.y));
  const DataWindow z = AxisExtent(widened(samples.z));
  MapExtent extent;
  extent.minimum = {x.minimum, y.minimum, z.minimum};
  extent.maximum = {x.maximum, y.maximum, z.maximum};
  extent.values = widened(samples.value);
  return extent;
}

}  // namespace korvagraph::analysis
