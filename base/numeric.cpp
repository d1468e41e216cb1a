#include "base/numeric.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Normal doubles span about 10^-308 to 10^308: no scaling takes more steps.
constexpr int kMaxDecades = 330;

// The floating-point edges of the tick step, in one place. Writes range as
// mantissa * 10^decades with 10 <= mantissa < 100, scaling by 10 one step at
// a time (no logarithm, whose rounding at exact powers would differ), and
// returns false for a range without such a form: not positive, subnormal
// (where scaling by 10 loses digits) or not finite.
bool SplitDecades(double range, double& mantissa, int& decades) {
  if (!(range >= DBL_MIN) || !std::isfinite(range)) return false;
  mantissa = range;
  decades = 0;
  for (int i = 0; mantissa < 10.0 && i < kMaxDecades; ++i) {
    mantissa *= 10.0;
    --decades;
  }
  for (int i = 0; mantissa >= 100.0 && i < kMaxDecades; ++i) {
    mantissa /= 10.0;
    ++decades;
  }
  return true;
}

// Returns value * 10^decades by repeated multiplication or division, so that
// 0.05 is 5 / 10 / 10.
double ScaleByDecades(double value, int decades) {
  for (int i = 0; i < decades; ++i) value *= 10.0;
  for (int i = 0; i > decades; --i) value /= 10.0;
  return value;
}

// The axes' round-number rule: a step of 2, 5 or 10 times a power of ten,
// so that a range gets 5 to 12 steps and every second label reads round.
double StepMantissa(double mantissa) {
  if (mantissa < 25.0) return 2.0;
  if (mantissa < 50.0) return 5.0;
  return 10.0;
}

}  // namespace

void CalcNiceStep(double& range, double& step) {
  double mantissa = 0.0;
  int decades = 0;
  step = 0.0;
  if (!SplitDecades(range, mantissa, decades)) return;
  const double nice = ScaleByDecades(StepMantissa(mantissa), decades);
  const double extra = nice < 9.0 ? 1.0 : 2.0;
  const double widened = nice * (std::trunc(range / nice) + extra);
  // Near the largest double the widened range overflows: no step either.
  if (!std::isfinite(widened)) return;
  step = nice;
  range = widened;
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
