#include "frame/numeric.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kMinLong = std::numeric_limits<LONG>::min();
constexpr double kMaxLong = std::numeric_limits<LONG>::max();

}  // namespace

LONG ToPixel(double value) {
  if (std::isnan(value)) return 0;
  if (value <= kMinLong) return std::numeric_limits<LONG>::min();
  if (value >= kMaxLong) return std::numeric_limits<LONG>::max();
  return static_cast<LONG>(value);
}

LONG SaturateToLong(long long value) {
  if (value < std::numeric_limits<LONG>::min()) {
    return std::numeric_limits<LONG>::min();
  }
  if (value > std::numeric_limits<LONG>::max()) {
    return std::numeric_limits<LONG>::max();
  }
  return static_cast<LONG>(value);
}
