// The frame's numbers: the shared numeric routines of the bottom layer and
// the one conversion from a double to a pixel coordinate.
#ifndef FRAME_NUMERIC_H_
#define FRAME_NUMERIC_H_

#include "base/numeric.h"
#include "platform/win_types.h"

// Converts a double to a pixel coordinate, truncating toward zero; NaN gives 0
// and values beyond the 32-bit range give the nearest bound.
LONG ToPixel(double value);

// Returns value clamped to the 32-bit range (for integer pixel sums).
LONG SaturateToLong(long long value);

#endif  // FRAME_NUMERIC_H_
