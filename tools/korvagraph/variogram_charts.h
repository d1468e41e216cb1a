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

#include "tools/korvagraph/chart_table.h"

// The vertical axis name of the variogram charts and the cloud: it stands in
// the narrow left margin, so it is short.
inline constexpr char kSemivarianceName[] = "\u03b3";

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
