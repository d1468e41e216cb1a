// A colour ramp: evenly spaced colour stops with linear blending between
// them, sampled into a colour table.
#ifndef SIBLINGS_RAVLIN_COLOR_RAMP_H_
#define SIBLINGS_RAVLIN_COLOR_RAMP_H_

#include <cstddef>
#include <cstdint>

namespace ravlin {

struct ColorStop {
  double red;  // 0 .. 1
  double green;
  double blue;
};

struct ColorRamp {
  const char* name;
  const ColorStop* stops;
  size_t stop_count;  // >= 2; stop 0 at entry 0, the last at the last entry
};

// Returns the ramp of that name, or null.
const ColorRamp* FindRamp(const char* name);

// Fills entries (red, green, blue) triples of 16-bit components, table
// entry 0 at the first stop and entry entries - 1 at the last.
// REQUIRES: entries >= 2.
void SampleRamp(const ColorRamp& ramp, uint16_t* table, int entries);

}  // namespace ravlin

#endif  // SIBLINGS_RAVLIN_COLOR_RAMP_H_
