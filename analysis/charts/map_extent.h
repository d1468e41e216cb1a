// The extent of located samples as the map charts take it: the coordinate
// box and the window of attribute values.
#ifndef ANALYSIS_CHARTS_MAP_EXTENT_H_
#define ANALYSIS_CHARTS_MAP_EXTENT_H_

#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/statistics.h"

namespace korvagraph::analysis {

struct MapExtent {
  KVD_3DOT minimum{};  // the box's minimum corner
  KVD_3DOT maximum{};  // and its maximum corner
  DataWindow values;   // of the attribute (value)
};

// Returns the box and window spanning samples, each side widened where the
// samples do not vary (see Widened) and the box's sides reaching outward as
// AxisExtent says, so that the maps draw every sample; zeros widened for no
// samples.
MapExtent MapExtentOf(const std::vector<KvDiscPnt>& samples);

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_CHARTS_MAP_EXTENT_H_
