// GraphObject: a chart's graph object, deleted through the library when it
// goes out of scope.
#ifndef TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_
#define TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_

#include <memory>

#include "include/KorvaGraphLib.h"

// Type codes of the graph objects.
enum GraphType : LONG {
  kHistogramGraph = 1,
  kProbabilityGraph = 2,
  kLocalMeanMapGraph = 3,
  kNormalQqGraph = 4,
  kQqPpGraph = 5,
  kScatterGraph = 6,
  kVariogramGraph = 7,
  kCrossPlotGraph = 8,
  kMultipleVariogramGraph = 9,
  kVariogramCloudGraph = 10,
  kCloudLocationMapGraph = 11,
};

struct GraphDeleter {
  void operator()(CKorvaGraph* graph) const { _kvDeleteKvGraphObj(graph); }
};
using GraphObject = std::unique_ptr<CKorvaGraph, GraphDeleter>;

inline GraphObject CreateGraph(GraphType type) {
  return GraphObject(_kvCreateKvGraphObj(type));
}

#endif  // TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_
