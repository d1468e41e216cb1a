// The title of an X axis whose tick labels are divided by a power of ten: the
// axis name followed by ", 10", centred below the tick labels, with the
// exponent in a smaller font raised at the title's estimated right end; and
// the "10" of a Y axis title with its exponent beside it. The one routine for
// every chart that draws such a title; a metrics record says where.
#ifndef FRAME_EXPONENT_TITLE_H_
#define FRAME_EXPONENT_TITLE_H_

#include <string>

#include "frame/plot_frame.h"
#include "platform/afx_gdi.h"
#include "platform/win_types.h"

// Where a chart's X title stands and how wide it is taken to be: there are
// no text metrics, so the width is a fixed estimate per character.
struct AxisTitleMetrics {
  // Pixels from the axis to the title's bottom edge; the title (15 pixels
  // high) starts a whole number of 4-pixel label steps below the axis.
  int depth = 0;
  // The estimated width: (characters + extra_characters) * this / 2 pixels.
  int pixels_per_two_characters = 0;
  int extra_characters = 0;
};

// Draws `name` + ", 10" (height 15) with its top depth - 15 pixels below the
// X axis, centred on the axis less 5 pixels, and `exponent` (height 10) one
// label step (4 pixels) higher at the title's estimated right end.
// REQUIRES: the context's text alignment is centre-top and the frame is scaled.
void DrawExponentTitle(CDC* dc, const PlotFrame& frame,
                       const AxisTitleMetrics& metrics, const std::string& name,
                       LONG exponent);

// Draws "10" (height 15) right-aligned with its top right corner at (x, y),
// data units, and `exponent` (height 10) left-aligned one pixel right of it
// at the same top: the whole exponent, its minus sign too, stands clear of
// the "10" whatever the font's widths.
// REQUIRES: the context's text alignment is right-top; it is again on return.
void DrawYPowerOfTen(CDC* dc, const PlotFrame& frame, double x, double y,
                     LONG exponent);

// Draws a label (height 15) at every X step but the end, 4 pixels below the
// axis, the step values divided by `factor`.
// REQUIRES: the context's text alignment is centre-top and the frame is scaled.
void DrawEveryStepXLabels(CDC* dc, const PlotFrame& frame, double factor);

// The frame rectangle, the grid and the X axis of a chart whose X labels are
// divided by a power of ten: the title with its exponent and a label at every
// step. Sets `factor` from the X span (unchanged for a span not above 1e-20,
// with the exponent 0). Leaves the background transparent and the alignment
// centre-top.
void DrawExponentXAxis(CDC* dc, const PlotFrame& frame, COLORREF frame_color,
                       const AxisTitleMetrics& title, const std::string& name,
                       double& factor);

#endif  // FRAME_EXPONENT_TITLE_H_
