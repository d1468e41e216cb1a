// Charts of variogram analysis: the variogram plot with its model curve and
// the multiple-variogram plot of the four directions (see chart_table.h).
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

Status DrawVariogramPlot(ChartContext* context, CanvasWindow* window,
                         Statistics* stats);
Status DrawMultipleVariogramPlot(ChartContext* context, CanvasWindow* window,
                                 Statistics* stats);

#endif  // TOOLS_KORVAGRAPH_VARIOGRAM_CHARTS_H_
