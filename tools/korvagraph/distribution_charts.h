// Charts of one or two attributes' distributions: the cross and scatter
// plots and the histograms. Each sets up its graph object, draws it and reports
// what its compute step returned (see chart_table.h).
#ifndef TOOLS_KORVAGRAPH_DISTRIBUTION_CHARTS_H_
#define TOOLS_KORVAGRAPH_DISTRIBUTION_CHARTS_H_

#include "tools/korvagraph/chart_table.h"

Status DrawCrossPlot(ChartContext* context, ChartPictures* pictures,
                     Statistics* stats);
Status DrawScatterPlot(ChartContext* context, ChartPictures* pictures,
                       Statistics* stats);
// Frequency histogram, or the cumulative curve with --cumulative.
Status DrawHistogram(ChartContext* context, ChartPictures* pictures,
                     Statistics* stats);
Status DrawCumulativeHistogram(ChartContext* context, ChartPictures* pictures,
                               Statistics* stats);

#endif  // TOOLS_KORVAGRAPH_DISTRIBUTION_CHARTS_H_
