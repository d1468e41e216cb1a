// The extent of located samples as the map charts take it: the coordinate
// box and the window of attribute values.
#ifndef TOOLS_KORVAGRAPH_MAP_EXTENT_H_
#define TOOLS_KORVAGRAPH_MAP_EXTENT_H_

#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/host_stats.h"

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

// Returns window with its maximum raised just enough (and a minimum in
// (-1e-5, 0) lowered to -2e-5) that the axis of a chart that floors its
// origin to the tick step, and ends it a whole number of steps later,
// reaches the maximum. Given the exact extent such an axis may end below
// it: x from 3.3 to 41.7 gets an axis from 0 to 40, and the sample at 41.7
// is not drawn. REQUIRES: window has a width (see Widened).
DataWindow AxisExtent(DataWindow window);

#endif  // TOOLS_KORVAGRAPH_MAP_EXTENT_H_
