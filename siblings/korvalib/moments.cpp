#include "siblings/korvalib/moments.h"

#include <algorithm>
#include <cmath>

namespace korvalib {
namespace {

struct MeanInfo {
  size_t count = 0;  // values taking part
  double mean = 0.0;
  bool constant = true;
};

// Two passes over the values that inside() admits: the mean, then a
// correction by the mean residual, which makes the residuals of nearly
// constant data sum to zero.
template <typename Inside>
MeanInfo ComputeMean(const double* values, size_t n, Inside inside) {
  MeanInfo result;
  double first = 0.0;
  double sum = 0.0;
  for (size_t i = 0; i < n; ++i) {
    if (!inside(values[i])) continue;
    if (result.count++ == 0) first = values[i];
    sum += values[i];
    if (values[i] != first) result.constant = false;
  }
  if (result.count == 0) return result;
  if (result.constant) {
    result.mean = first;
    return result;
  }
  const double count = static_cast<double>(result.count);
  double mean = sum / count;
  double residual = 0.0;
  for (size_t i = 0; i < n; ++i) {
    if (inside(values[i])) residual += values[i] - mean;
  }
  result.mean = mean + residual / count;
  return result;
}

template <typename Inside>
MeanDeviation MeanDeviationOf(const double* values, size_t n, Inside inside) {
  MeanDeviation result;
  const MeanInfo mean = ComputeMean(values, n, inside);
  result.mean = mean.mean;
  if (mean.count == 0 || mean.constant) return result;
  double squares = 0.0;
  for (size_t i = 0; i < n; ++i) {
    if (!inside(values[i])) continue;
    const double d = values[i] - mean.mean;
    squares += d * d;
  }
  result.deviation = std::sqrt(squares / static_cast<double>(mean.count));
  return result;
}

// Admits every value.
struct Always {
  bool operator()(double) const { return true; }
};

}  // namespace

MeanDeviation ComputeMeanDeviation(const double* values, size_t n) {
  return MeanDeviationOf(values, n, Always());
}

MeanDeviation ComputeMeanDeviationInside(const double* values, size_t n,
                                         const ValueWindow& window) {
  return MeanDeviationOf(values, n,
                         [&window](double v) { return window.Contains(v); });
}

double PearsonCorrelation(const double* x, const double* y, size_t n) {
  if (n < 2) return 0.0;
  const MeanInfo mx = ComputeMean(x, n, Always());
  const MeanInfo my = ComputeMean(y, n, Always());
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
