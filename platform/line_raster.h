// The stepping of a straight line (MoveTo / LineTo): Bresenham with the
// platform's octant bias, the end pixel excluded. The line is clipped
// analytically before stepping, so any 64-bit coordinates are safe and the
// work is bounded by the raster's size.
#ifndef PLATFORM_LINE_RASTER_H_
#define PLATFORM_LINE_RASTER_H_

#include <cstdint>

#include "platform/raster.h"
#include "platform/stroke.h"

// Paints the line from (x0, y0) towards (x1, y1), end excluded. Pixel i of
// the line is stroke step first_step + i. Returns the number of pixels of the
// whole (unclipped) line, i.e. the steps it used of a running dot pattern.
int64_t DrawLine(Raster& raster, const Stroke& stroke, int64_t x0, int64_t y0,
                 int64_t x1, int64_t y1, int64_t first_step);

// Returns 1 when a line of this direction takes the farther of two equally
// near pixels at a midpoint (the octant's bias), else 0.
int64_t LineTieBias(int64_t dx, int64_t dy);

#endif  // PLATFORM_LINE_RASTER_H_
