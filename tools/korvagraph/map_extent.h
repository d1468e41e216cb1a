// The extent of located samples as the map charts take it: the coordinate
// box and the window of attribute values.
#ifndef TOOLS_KORVAGRAPH_MAP_EXTENT_H_
#define TOOLS_KORVAGRAPH_MAP_EXTENT_H_

#include <vector>

#include "include/KorvaGraphLib.h"
#include "tools/korvagraph/host_stats.h"

struct MapExtent {
  KVD_3DOT minimum{};  // the box's minimum corner
  KVD_3DOT maximum{};  // and its maximum corner
  DataWindow values;   // of the attribute (value)
};

// Returns the box and window spanning samples, each side widened where the
// samples do not vary (see Widened); zeros widened for no samples.
MapExtent MapExtentOf(const std::vector<KvDiscPnt>& samples);

#endif  // TOOLS_KORVAGRAPH_MAP_EXTENT_H_
