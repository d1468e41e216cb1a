// Samples: the located samples of a table (rows with x, y and the primary
// value present) as arrays of coordinates and values, what the variograms,
// the cloud and the maps are computed from.
#ifndef KORVAGRAPH_ANALYSIS_SAMPLES_H_
#define KORVAGRAPH_ANALYSIS_SAMPLES_H_

#include <cstdint>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/columns.h"
#include "korvagraph/analysis/statistics.h"
#include "korvagraph/analysis/table.h"

namespace korvagraph::analysis {

struct Samples {
  std::vector<double> x, y;    // horizontal coordinates
  std::vector<double> z;       // 0 without a z column
  std::vector<double> value;   // the primary attribute
  std::vector<double> value2;  // the secondary attribute; NaN where missing
  std::vector<int64_t> row;    // the table row of each sample

  int64_t size() const { return static_cast<int64_t>(value.size()); }
  void Append(double x, double y, double z, double value, double value2,
              int64_t row);
};

// Returns the rows of table holding x, y and the primary value of choice.
// REQUIRES: choice.x, choice.y and choice.primary are columns of table.
Samples LocatedSamples(const Table& table, const ColumnChoice& choice);

// Returns one chart record per sample: coordinates, value, and value2 (-999
// where missing), as the map charts load them.
std::vector<KvDiscPnt> SampleRecords(const Samples& samples);

// The extent of the samples as the map charts take it: the coordinate box
// and the window of the attribute.
struct MapExtent {
  KVD_3DOT minimum{};  // the box's minimum corner
  KVD_3DOT maximum{};  // and its maximum corner
  DataWindow values;   // of the primary attribute
};

// Returns the box and window spanning samples, each side widened where the
// samples do not vary (see Widened) and the box's sides reaching outward as
// AxisExtent says, so that the maps draw every sample; zeros widened for no
// samples.
MapExtent MapExtentOf(const Samples& samples);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_SAMPLES_H_
