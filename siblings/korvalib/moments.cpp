#include "siblings/korvalib/moments.h"

#include <algorithm>
#include <cmath>

namespace korvalib {
namespace {

struct MeanInfo {
  double mean = 0.0;
  bool constant = true;
};

// Two passes: the mean, then a correction by the mean residual, which makes
// the residuals of nearly constant data sum to zero.
MeanInfo ComputeMean(const double* values, size_t n) {
  MeanInfo result;
  if (n == 0) return result;
  double sum = 0.0;
  for (size_t i = 0; i < n; ++i) {
    sum += values[i];
    if (values[i] != values[0]) result.constant = false;
  }
  if (result.constant) {
    result.mean = values[0];
    return result;
  }
  double mean = sum / static_cast<double>(n);
  double residual = 0.0;
  for (size_t i = 0; i < n; ++i) residual += values[i] - mean;
  result.mean = mean + residual / static_cast<double>(n);
  return result;
}

}  // namespace

MeanDeviation ComputeMeanDeviation(const double* values, size_t n) {
  MeanDeviation result;
  const MeanInfo mean = ComputeMean(values, n);
  result.mean = mean.mean;
  if (n == 0 || mean.constant) return result;
  double squares = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const double d = values[i] - mean.mean;
    squares += d * d;
  }
  result.deviation = std::sqrt(squares / static_cast<double>(n));
  return result;
}

double PearsonCorrelation(const double* x, const double* y, size_t n) {
  if (n < 2) return 0.0;
  const MeanInfo mx = ComputeMean(x, n);
  const MeanInfo my = ComputeMean(y, n);
  if (mx.constant || my.constant) return 0.0;
  double sxx = 0.0;
  double syy = 0.0;
  double sxy = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const double dx = x[i] - mx.mean;
    const double dy = y[i] - my.mean;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
  }
  if (!(sxx > 0.0 && syy > 0.0)) return 0.0;
  // Rounding may carry |r| a hair past 1 for exactly linear data.
  return std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
}

}  // namespace korvalib
