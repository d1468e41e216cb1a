// Small pieces of state that several charts hold: a referenced sample set, a
// value window and the two axis names.
#ifndef CHARTS_CHART_PARTS_H_
#define CHARTS_CHART_PARTS_H_

#include "korvagraph/KorvaGraphLib.h"

// What every compute step tells the engine the same way: the sample set and
// the axis numbers it fills, and the drawing scale every call site passes
// (0.24 rounded to single precision; the engine stores it and draws nothing).
constexpr int kPrimarySet = 1;
constexpr int kSecondSet = 2;
constexpr int kValueAxis = 1;
constexpr int kEngineXAxis = 2;
constexpr int kEngineYAxis = 3;
constexpr double kEngineScale = static_cast<double>(0.24f);

// The host's sample array, held by reference.
struct SampleSet {
  KvDiscPnt* samples = nullptr;
  LONG count = 0;

  void Load(KvDiscPnt* new_samples, LONG new_count) {
    samples = new_samples;
    count = new_count;
  }
};

// The lower and upper limits of the values a chart takes into account.
struct ValueWindow {
  double minimum = 0.0;
  double maximum = 0.0;

  void Set(double new_minimum, double new_maximum) {
    minimum = new_minimum;
    maximum = new_maximum;
  }
  // Both bounds inside; a value that is not a number counts as inside.
  bool Contains(double value) const {
    return !(value < minimum || value > maximum);
  }
};

// The horizontal and vertical axis names, copied from the host.
struct AxisNames {
  CString x;
  CString y;

  void Set(const CString& x_name, const CString& y_name) {
    x = x_name;
    y = y_name;
  }
};

#endif  // CHARTS_CHART_PARTS_H_
