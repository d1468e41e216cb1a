// Point marks shared by the charts. Each takes its own pen (and brush) for the
// mark and gives them back; marks outside the axes (bounds inside) are not
// drawn.
#ifndef FRAME_MARKERS_H_
#define FRAME_MARKERS_H_

#include <optional>

#include "frame/plot_frame.h"

// True when (x, y) lies inside both axes' [origin, end]; NaN is outside.
bool InsideAxes(const PlotFrame& frame, double x, double y);

// A circle of the given radius around (x, y), outlined in `outline`, filled
// with a new brush of `fill` when given, else with the context's brush.
// Returns false when the point lies outside the axes.
bool DrawCircleMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                      COLORREF outline, int radius,
                      std::optional<COLORREF> fill = std::nullopt);

#endif  // FRAME_MARKERS_H_
