// The histogram computation: nine statistics and the class frequencies or
// cumulative values of one sample.
#ifndef SIBLINGS_KORVALIB_HISTOGRAM_H_
#define SIBLINGS_KORVALIB_HISTOGRAM_H_

#include <cstdint>
#include <vector>

#include "siblings/korvalib/buffer.h"
#include "siblings/korvalib/value_window.h"

namespace korvalib {

struct HistogramSettings {
  ValueWindow class_range;  // C equal classes span it
  int class_count = 0;      // C
  bool cumulative = false;
  int quantile_count = 0;  // q; <= 1 means no limit
};

struct HistogramResult {
  int32_t count = 0;     // n
  int32_t left_out = 0;  // loaded samples not among the n
  double mean = 0.0;
  double deviation = 0.0;  // divisor n
  double maximum = 0.0;
  double upper_quartile = 0.0;
  double median = 0.0;
  double lower_quartile = 0.0;
  double minimum = 0.0;
  // Frequency kind: C + 1 entries (entry 0 = 0); cumulative kind: m values.
  Buffer<double> entries;
  double maximum_frequency = 0.0;
};

// Returns the histogram of the n values of loaded inside the class range.
HistogramResult ComputeHistogram(const Column& loaded,
                                 const HistogramSettings& settings);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_HISTOGRAM_H_
