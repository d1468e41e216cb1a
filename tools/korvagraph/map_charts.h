// Maps of the located samples in the x-y plane: the variogram cloud's
// location map, linking the pairs the cloud highlights, and the location
// map coloured by the primary attribute with its legend (see chart_table.h).
#ifndef TOOLS_KORVAGRAPH_MAP_CHARTS_H_
#define TOOLS_KORVAGRAPH_MAP_CHARTS_H_

#include <vector>

#include "tools/korvagraph/chart_table.h"

// Draws the located samples with pairs (sample numbers) linked; appends the
// map's statistics when stats is given. pairs is only read.
Status DrawCloudPairMap(ChartContext* context, std::vector<KVL_DOT>* pairs,
                        CanvasWindow* window, Statistics* stats);

Status DrawCloudLocationMap(ChartContext* context, ChartPictures* pictures,
                            Statistics* stats);
// Adds the legend as a second picture, suffix "legend".
Status DrawLocationMap(ChartContext* context, ChartPictures* pictures,
                       Statistics* stats);

#endif  // TOOLS_KORVAGRAPH_MAP_CHARTS_H_
