#include "siblings/ravlin/color_ramp.h"

#include <cmath>
#include <cstring>

namespace ravlin {
namespace {

constexpr ColorStop kContourStops[] = {
    {0.0, 0.0, 1.0},  // blue: the lowest values
    {0.0, 1.0, 1.0},  // cyan
    {0.0, 1.0, 0.0},  // green
    {1.0, 1.0, 0.0},  // yellow
    {1.0, 0.0, 0.0},  // red: the highest values
};

constexpr ColorRamp kRamps[] = {
    {"Contour", kContourStops, sizeof kContourStops / sizeof kContourStops[0]},
};

constexpr double kFullScale = 65535.0;

uint16_t Component(double start, double end, double fraction) {
  return static_cast<uint16_t>(
      std::lround((start + (end - start) * fraction) * kFullScale));
}

}  // namespace

const ColorRamp* FindRamp(const char* name) {
  for (const ColorRamp& ramp : kRamps) {
    // Bounded by the ramp name's length, so a record without a terminator
    // is never read past it.
    if (std::strncmp(name, ramp.name, std::strlen(ramp.name) + 1) == 0) {
      return &ramp;
    }
  }
  return nullptr;
}

void SampleRamp(const ColorRamp& ramp, uint16_t* table, int entries) {
  const double segments = static_cast<double>(ramp.stop_count - 1);
  for (int i = 0; i < entries; ++i) {
    const double position = segments * i / (entries - 1);
    size_t segment = static_cast<size_t>(position);
    if (segment >= ramp.stop_count - 1) segment = ramp.stop_count - 2;
    const double fraction = position - static_cast<double>(segment);
    const ColorStop& from = ramp.stops[segment];
    const ColorStop& to = ramp.stops[segment + 1];
    table[3 * i] = Component(from.red, to.red, fraction);
    table[3 * i + 1] = Component(from.green, to.green, fraction);
    table[3 * i + 2] = Component(from.blue, to.blue, fraction);
  }
}

}  // namespace ravlin
