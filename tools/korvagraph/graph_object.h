// GraphObject: a chart's graph object, deleted through the library when it
// goes out of scope; and the small setup steps that several charts share.
#ifndef TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_
#define TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_

#include <memory>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/host_stats.h"
#include "tools/korvagraph/status.h"

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

// Returns the length of an array handed to a loader, as the loaders count.
template <typename T>
LONG CountOf(const std::vector<T>& array) {
  return static_cast<LONG>(array.size());
}

// Which of a chart's two sample sets (and data windows) a loader fills.
enum class SampleSet { kFirst, kSecond };

// Loads sample's records as the chart's first or second sample set and its
// window as the matching data window. sample must outlive graph.
inline void LoadSample(CKorvaGraph* graph, AttributeSample* sample,
                       SampleSet set = SampleSet::kFirst) {
  if (set == SampleSet::kFirst) {
    _kvGraphLoadDiscPnts(graph, sample->records.data(),
                         CountOf(sample->records));
    _kvGraphSetDataExtr(graph, sample->window.minimum, sample->window.maximum);
  } else {
    _kvGraphLoadDiscPnts2(graph, sample->records.data(),
                          CountOf(sample->records));
    _kvGraphSetDataExtr2(graph, sample->window.minimum, sample->window.maximum);
  }
}

// Sets the axis names of a chart drawn in the cross plot's frame, cut to
// what its fixed margins hold: the horizontal name stands centred on the
// axis end, 8 pixels from the edge (3 characters), the vertical one
// right-aligned in the 35-pixel left margin (4 characters).
inline void SetCrossFrameNames(CKorvaGraph* graph, const std::string& x_name,
                               const std::string& y_name) {
  constexpr size_t kHorizontalChars = 3;
  constexpr size_t kVerticalChars = 4;
  _kvGraphSetAxiName(graph, Abbreviated(x_name, kHorizontalChars),
                     Abbreviated(y_name, kVerticalChars));
}

// Returns the error for a graph object that could not be created.
inline Status NoGraph() {
  return Status::Error("the chart library could not create a graph object");
}

#endif  // TOOLS_KORVAGRAPH_GRAPH_OBJECT_H_
