// A run of markers drawn as a chart draws each one by hand (a new pen and,
// when given, a new solid brush created and selected, the Ellipse, the
// previous objects selected back, the new ones destroyed), with the per-call
// work done once for the run. Pixels, the display list and the ledger come
// out exactly as from the calls one by one.
#ifndef PLATFORM_MARKER_RUN_H_
#define PLATFORM_MARKER_RUN_H_

#include <cstddef>

#include "platform/afx_gdi.h"
#include "platform/pen_spec.h"
#include "platform/win_types.h"

// Draws the ellipses of `boxes` in order, each as above, with a pen of `pen`
// and a brush of *fill (the selected brush when fill is null). Returns
// false, having drawn nothing, when the run cannot stand in for the calls
// one by one: an unknown context, a destroyed window, a window recording its
// calls (the log names every call) or no room for the pen or brush.
bool DrawMarkerRun(CDC* dc, const PenSpec& pen, const COLORREF* fill,
                   const RECT* boxes, size_t count);

#endif  // PLATFORM_MARKER_RUN_H_
