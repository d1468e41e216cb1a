// Charts that set sample quantiles against a distribution or each other:
// the probability plot, the normal Q-Q plot and the Q-Q plot of two
// attributes. Each sets up its graph object, draws it and reports what its
// compute step returned (see chart_table.h).
#ifndef TOOLS_KORVAGRAPH_QUANTILE_CHARTS_H_
#define TOOLS_KORVAGRAPH_QUANTILE_CHARTS_H_

#include "tools/korvagraph/chart_table.h"

Status DrawProbabilityPlot(ChartContext* context, ChartPictures* pictures,
                           Statistics* stats);
// The chart writes the normal scores into records of its own: a copy of the
// samples, which stay as read.
Status DrawNormalQqPlot(ChartContext* context, ChartPictures* pictures,
                        Statistics* stats);
// Primary quantiles (x) against secondary quantiles (y), each attribute
// with every value it has.
Status DrawQqPlot(ChartContext* context, ChartPictures* pictures,
                  Statistics* stats);

#endif  // TOOLS_KORVAGRAPH_QUANTILE_CHARTS_H_
