// The small parts the chart recipes share: a graph object deleted through
// the library when it goes out of scope, the loaders of one attribute's
// sample, the axis names of the cross plot's frame, and the statistics
// that several charts add the same way. Every recipe has the signature of
// ChartRecipe and is listed in the chart table (charts.h).
#ifndef ANALYSIS_CHARTS_CHART_PARTS_H_
#define ANALYSIS_CHARTS_CHART_PARTS_H_

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/statistics.h"

namespace korvagraph::analysis {

// Sets up one chart from session, draws it into pictures->main() (and any
// picture it adds) and appends its statistics.
using ChartRecipe = Status (*)(Session* session, const ChartOptions& options,
                               ChartPictures* pictures, Statistics* stats,
                               ChartTable* table);

Status DrawHistogram(Session*, const ChartOptions&, ChartPictures*, Statistics*,
                     ChartTable*);
Status DrawCumulativeHistogram(Session*, const ChartOptions&, ChartPictures*,
                               Statistics*, ChartTable*);
Status DrawProbabilityPlot(Session*, const ChartOptions&, ChartPictures*,
                           Statistics*, ChartTable*);
Status DrawNormalQqPlot(Session*, const ChartOptions&, ChartPictures*,
                        Statistics*, ChartTable*);
Status DrawQqPlot(Session*, const ChartOptions&, ChartPictures*, Statistics*,
                  ChartTable*);
Status DrawScatterPlot(Session*, const ChartOptions&, ChartPictures*,
                       Statistics*, ChartTable*);
Status DrawCrossPlot(Session*, const ChartOptions&, ChartPictures*, Statistics*,
                     ChartTable*);
Status DrawVariogramPlot(Session*, const ChartOptions&, ChartPictures*,
                         Statistics*, ChartTable*);
Status DrawMultipleVariogramPlot(Session*, const ChartOptions&, ChartPictures*,
                                 Statistics*, ChartTable*);
Status DrawVariogramCloud(Session*, const ChartOptions&, ChartPictures*,
                          Statistics*, ChartTable*);
Status DrawCloudLocationMap(Session*, const ChartOptions&, ChartPictures*,
                            Statistics*, ChartTable*);
Status DrawVariogramMap(Session*, const ChartOptions&, ChartPictures*,
                        Statistics*, ChartTable*);
Status DrawLocationMap(Session*, const ChartOptions&, ChartPictures*,
                       Statistics*, ChartTable*);

struct GraphDeleter {
  void operator()(CKorvaGraph* graph) const { _kvDeleteKvGraphObj(graph); }
};
using GraphObject = std::unique_ptr<CKorvaGraph, GraphDeleter>;

inline GraphObject CreateGraph(KvGraphType type) {
  return GraphObject(_kvCreateKvGraphObj(type));
}

// Returns the length of an array handed to a loader, as the loaders count.
template <typename T>
LONG CountOf(const std::vector<T>& array) {
  return static_cast<LONG>(array.size());
}

// Returns a host array the library only reads as the loaders take it: they
// are declared with non-const pointers.
template <typename T>
T* Loaded(const std::vector<T>& array) {
  return const_cast<T*>(array.data());
}

// Which of a chart's two sample sets (and data windows) a loader fills.
enum class SampleSlot { kFirst, kSecond };

// Loads sample's records as the chart's first or second sample set and its
// window as the matching data window. sample must outlive graph.
void LoadSample(CKorvaGraph* graph, const AttributeSample& sample,
                SampleSlot slot = SampleSlot::kFirst);

// Returns the error for a graph object that could not be created.
Status NoGraph();

// Sets the axis names of a chart drawn in the cross plot's frame, cut to
// what its fixed margins hold: the horizontal name stands centred on the
// axis end, 8 pixels from the edge (3 characters), the vertical one
// right-aligned in the 35-pixel left margin (4 characters).
void SetCrossFrameNames(CKorvaGraph* graph, const std::string& x_name,
                        const std::string& y_name);

// Warns when the picture is so much wider than tall that the histogram's
// or probability plot's bottom margin is shallower than the depth its
// horizontal axis title needs.
void WarnIfAxisTitleCut(const Session& session, const CanvasWindow& window);

// How many values lie on one axis, their mean and standard deviation.
struct AxisSummary {
  std::string name;  // the attribute on the axis
  int64_t count = 0;
  double mean = 0.0;
  double deviation = 0.0;
};

// Turns the summary of values drawn at scale into the data's units.
void Unscale(const ValueScale& scale, AxisSummary* summary);

// Appends "x" (the name), "x count", "x mean", "x std dev", then the same
// for y.
void AddAxisSummaries(Statistics* stats, const AxisSummary& x,
                      const AxisSummary& y);

// Appends "NAME drawn as" with the scaled name when scale divides, for
// charts whose narrow margins cut the axis name.
void AddScaleNote(const ValueScale& scale, const std::string& name,
                  Statistics* stats);

// Appends how the cloud's highlighted pairs were chosen, for the cloud and
// the map that shows the same pairs.
void AddHighlightStatistics(const CloudSet& set, Statistics* stats);

// The vertical axis name of the variogram charts and the cloud: it stands
// in the narrow left margin, so it is short.
inline constexpr char kSemivarianceName[] = "\u03b3";

}  // namespace korvagraph::analysis

#endif  // ANALYSIS_CHARTS_CHART_PARTS_H_
