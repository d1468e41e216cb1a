// The transform of --transform: the attribute columns of a run replaced by
// their logarithms (_kvTranLog, with --shift) or normal scores
// (_kvTranNcore), computed by the chart library before any chart is drawn.
#ifndef TOOLS_KORVAGRAPH_DATA_TRANSFORM_H_
#define TOOLS_KORVAGRAPH_DATA_TRANSFORM_H_

#include <string>

#include "tools/korvagraph/chart_context.h"

// Transforms the primary and secondary columns of context as its options
// ask and returns a line saying what was done ("" for none). Warnings (values
// floored by the logarithm, values left without a score) go to the context's
// run warnings. REQUIRES: context resolved, nothing computed yet.
std::string ApplyTransform(ChartContext* context);

#endif  // TOOLS_KORVAGRAPH_DATA_TRANSFORM_H_
