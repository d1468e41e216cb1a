// The logarithmic transform: every value inside the window becomes the natural
// logarithm of the value plus a shift; values outside become missing.
#include <cmath>
#include <new>
#include <vector>

#include "base/numeric.h"
#include "korvagraph/KorvaGraphLib.h"

namespace {

constexpr double kSmallestShifted = 0.01;
constexpr double kFloorValue = -2.2;  // fixed; not the logarithm of 0.01

}  // namespace

LONG _kvTranLog(KvDiscPnt* samples, LONG count, double maximum, double minimum,
                double shift, double& log_max, double& log_min) {
  if (samples == nullptr) return 1;
  std::vector<double> accepted;
  try {
    accepted.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  } catch (const std::bad_alloc&) {
    return 1;
  }
  for (LONG i = 0; i < count; ++i) {
    double& value = samples[i].value;
    // Written as exclusions so that a NaN is not excluded by the window.
    if (minimum > value || value > maximum) {
      value = kKvNoValue;
      continue;
    }
    value = value + shift < kSmallestShifted ? kFloorValue
                                             : std::log(value + shift);
    accepted.push_back(value);
  }
  const LONG n = static_cast<LONG>(accepted.size());
  log_max = n > 0 ? NumericMax(accepted.data(), n) : 0.0;
  log_min = n > 0 ? NumericMin(accepted.data(), n) : 0.0;
  return 1;
}
