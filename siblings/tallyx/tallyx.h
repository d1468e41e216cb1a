// Tallyx: descriptive statistics of a caller's array of doubles. A CTallyx
// reads the values once, when it is built, and holds only the results; the
// array stays the caller's.
#ifndef SIBLINGS_TALLYX_TALLYX_H_
#define SIBLINGS_TALLYX_TALLYX_H_

#include "korvagraph/records.h"  // LONG, the workbench's 32-bit integer

// Moments use divisor n (population moments, as the classic geostatistics
// programs do). Every statistic is 0 for no values (count <= 0 or a null
// array). With zero variance (all values equal) the deviation, coefficient
// of variation, skewness and kurtosis are 0. A NaN among the values makes
// every statistic NaN; an infinity makes them infinite or NaN.
class CTallyx {
 public:
  CTallyx(double* values, LONG count);
  ~CTallyx();

  // Returns the arithmetic mean.
  double SimpleArithAverNum();
  // Returns the standard deviation sqrt(m2), m_k = sum (x - mean)^k / n.
  double StandDifNum();
  // Returns the coefficient of variation, deviation / mean (a ratio, not a
  // percentage); 0 when the mean is 0.
  double AlterDifCoe();
  // Returns the excess kurtosis m4 / m2^2 - 3.
  double ApexDegree();
  // Returns the skewness m3 / m2^1.5.
  double DeflectDegree();

 private:
  double mean_ = 0.0;
  double m2_ = 0.0;
  double m3_ = 0.0;
  double m4_ = 0.0;
};

#endif  // SIBLINGS_TALLYX_TALLYX_H_
