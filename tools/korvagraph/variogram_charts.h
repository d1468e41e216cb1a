// Charts of variogram analysis: the variogram plot with its model curve,
// the multiple-variogram plot of the four directions and the variogram
// cloud (see chart_table.h).
//
// Cut-off rows: the variogram plot gets all five variograms of the
// context's VariogramSet (every direction, then azimuths 0, 45, 90, 135) as
// five cut-off rows of lags + 2 entries and shows the row --dir chooses, so
// that its axes hold every direction and stay put when switching. The
// multiple-variogram plot gets the four directions as four variograms of
// one row each.
#ifndef TOOLS_KORVAGRAPH_VARIOGRAM_CHARTS_H_
#define TOOLS_KORVAGRAPH_VARIOGRAM_CHARTS_H_

#include <vector>

#include "tools/korvagraph/chart_table.h"
#include "tools/korvagraph/graph_object.h"

// The vertical axis name of the variogram charts and the cloud: it stands in
// the narrow left margin, so it is short.
inline constexpr char kSemivarianceName[] = "\u03b3";

// An entry number meaning "no entry selected"; a position of an entry that
// the chart did not draw.
constexpr int kNoEntry = -1;
constexpr LONG kNotDrawn = -2147483647 - 1;

// Draws row `row` of set (every row scales the axes) with the model curve
// of model, the sill line at the set's variance and, when selected is an
// entry of the row, that entry highlighted by the library's selection
// drawing. Returns the position the chart recorded for each entry of the
// row, relative to the plot's corner; {kNotDrawn, kNotDrawn} for entries
// not drawn. Empty when no graph object could be created.
std::vector<CPoint> DrawVariogramRow(const VariogramSet& set, int row,
                                     const Kt3dIntp& model, double nugget,
                                     int selected, CanvasWindow* window);

// Draws the cloud of set with the points numbered in selected in cyan.
// Returns the graph object (null when none could be created), which keeps
// the cloud's mapping for _kvGraphWorldtoScreen; set and selected must
// outlive it.
GraphObject DrawCloudGraph(CloudSet* set, std::vector<LONG>* selected,
                           CanvasWindow* window);

Status DrawVariogramPlot(ChartContext* context, ChartPictures* pictures,
                         Statistics* stats);
Status DrawMultipleVariogramPlot(ChartContext* context, ChartPictures* pictures,
                                 Statistics* stats);

// Every pair of located samples, distance against semivariance, with the
// context's highlighted pairs in cyan.
Status DrawVariogramCloud(ChartContext* context, ChartPictures* pictures,
                          Statistics* stats);

// Appends how the cloud's highlighted pairs were chosen, for the cloud and
// the map that shows the same pairs.
void AddHighlightStatistics(const CloudSet& set, Statistics* stats);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_CHARTS_H_
