// A closed interval of admitted values, the engine's notion of a window.
#ifndef SIBLINGS_KORVALIB_VALUE_WINDOW_H_
#define SIBLINGS_KORVALIB_VALUE_WINDOW_H_

#include <algorithm>
#include <vector>

#include "korvagraph/records.h"
#include "siblings/korvalib/buffer.h"

namespace korvalib {

struct ValueWindow {
  double minimum = -kKvOpenLimit;
  double maximum = kKvOpenLimit;

  // Bounds included; NaN (value or bound) is never inside.
  bool Contains(double value) const {
    return minimum <= value && value <= maximum;
  }
};

// Returns the window of values inside both a and b.
inline ValueWindow Intersect(const ValueWindow& a, const ValueWindow& b) {
  return ValueWindow{std::max(a.minimum, b.minimum),
                     std::min(a.maximum, b.maximum)};
}

// Returns the values inside window, in their order.
template <typename Values>
Buffer<double> Select(const Values& values, const ValueWindow& window) {
  Buffer<double> selected;
  selected.reserve(values.size());
  for (double v : values) {
    if (window.Contains(v)) selected.push_back(v);
  }
  return selected;
}

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_VALUE_WINDOW_H_
