#include "base/numeric.h"

#include <cmath>
#include <cstdio>
#include <limits>

void CalcNiceStep(double& range, double& step) {
  if (!(range > 0.0) || !std::isfinite(range)) {
    step = 0.0;
    return;
  }
  double m = range;
  int n = 0;
  while (m < 10.0) {
    m *= 10.0;
    --n;
  }
  while (m >= 100.0) {
    m /= 10.0;
    ++n;
  }
  double b = 10.0;
  if (m < 25.0) {
    b = 2.0;
  } else if (m < 50.0) {
    b = 5.0;
  }
  // Repeated multiplication or division, so that 0.05 is 5 / 10 / 10.
  step = b;
  for (int i = 0; i < n; ++i) step *= 10.0;
  for (int i = 0; i > n; --i) step /= 10.0;
  const double extra = step < 9.0 ? 1.0 : 2.0;
  range = step * (std::trunc(range / step) + extra);
}

std::string FormatNumber(double x) {
  char buffer[512];
  int length = std::snprintf(buffer, sizeof buffer, "%.2lf", x);
  if (length < 0) return std::string();
  if (length >= static_cast<int>(sizeof buffer)) {
    length = static_cast<int>(sizeof buffer) - 1;
  }
  std::string text(buffer, static_cast<size_t>(length));
  size_t last = text.size();
  while (last > 0 && text[last - 1] == '0') --last;
  if (last > 0 && text[last - 1] == '.') {
    text.resize(last - 1);
  } else {
    text.resize(last);
  }
  return text;
}

namespace {

// The first value, replaced by every later one that `better` prefers; with
// skip_nan, a NaN so far also gives way, so that NaNs take no part wherever
// they stand.
template <typename Better>
double Extreme(const double* values, LONG count, bool skip_nan, Better better) {
  if (values == nullptr || count < 1) return -9999.0;
  double best = values[0];
  for (LONG i = 1; i < count; ++i) {
    if (better(values[i], best) || (skip_nan && std::isnan(best))) {
      best = values[i];
    }
  }
  return best;
}

bool Greater(double a, double b) { return a > b; }
bool Less(double a, double b) { return a < b; }

}  // namespace

double ArrayMax(const double* values, LONG count) {
  return Extreme(values, count, false, Greater);
}

double ArrayMin(const double* values, LONG count) {
  return Extreme(values, count, false, Less);
}

double NumericMax(const double* values, LONG count) {
  return Extreme(values, count, true, Greater);
}

double NumericMin(const double* values, LONG count) {
  return Extreme(values, count, true, Less);
}

void CalcAxisExponent(double end, double origin, double& factor,
                      LONG& exponent) {
  const double span = end - origin;
  if (!(span > 1e-20) || !std::isfinite(span)) return;
  const LONG e = static_cast<LONG>(std::trunc(std::log10(span)));
  // 10^|e| by squaring over the bits of |e|: exact for every integer power.
  double power = 1.0;
  double base = 10.0;
  for (LONG bits = e < 0 ? -e : e; bits != 0; bits >>= 1) {
    if (bits & 1) power *= base;
    base *= base;
  }
  factor = e < 0 ? 1.0 / power : power;
  exponent = -e;
}
