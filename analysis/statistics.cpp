#include "korvagraph/analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvagraph::analysis {
namespace {

constexpr int kMinClasses = 5;
constexpr int kMaxClasses = 40;
constexpr double kRoundSteps = 10.0;  // a window holds about this many
// Widths below this part of the magnitude, or below kSmallestWidth (where
// the charts' tick steps would leave the normal doubles), count as none.
constexpr double kResolution = 1e-12;
constexpr double kSmallestWidth = 1e-290;
constexpr double kLargest = std::numeric_limits<double>::max();

// Spans below this are drawn magnified: the charts' smallest drawn range
// is 1e-5, and the round window adds little.
constexpr double kSmallestSpan = 1e-4;
// Magnitudes from this on are drawn reduced: squares of 1e154 overflow.
constexpr double kLargestMagnitude = 1e150;
// Exponents stay where 10^exponent is a normal double.
constexpr int kMostExponent = 300;

bool HasWidth(const DataWindow& window) {
  const double magnitude =
      std::max(std::abs(window.minimum), std::abs(window.maximum));
  const double width = window.maximum - window.minimum;
  return width > kResolution * magnitude && width >= kSmallestWidth;
}

// Returns the round number (1, 2 or 5 times a power of ten) nearest above
// raw, which is positive: the steps of a window that starts an axis.
double RoundStep(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double mantissa : {1.0, 2.0, 5.0}) {
    if (raw <= mantissa * power) return mantissa * power;
  }
  return 10.0 * power;
}

// The charts take a minimum above this as 0 when flooring their origin.
constexpr double kZeroSnap = -0.00001;
// Rounding may differ from the library's in the last bits: an axis must
// pass the maximum by this part of its range to count as reaching it.
constexpr double kAxisMargin = 1e-9;
constexpr int kMostRaises = 8;
// Powers of ten a mantissa is moved by at most: any finite double's.
constexpr int kMostPowers = 700;

// The axis a chart with a floored origin draws for a window: the tick step
// is 2, 5 or 10 times a power of ten, about a tenth of the range; the range
// grows to whole steps plus one (two from a step of 9 up); the origin is
// the minimum floored to a step (one step lower below kZeroSnap).
struct FlooredAxis {
  double origin;
  double end;
  double step;
};

FlooredAxis AxisOf(const DataWindow& window) {
  const double range = window.maximum - window.minimum;
  double mantissa = range;
  int power = 0;
  // Bounded: a range the caller let through without width ends the loop.
  for (int i = 0; mantissa < 10.0 && i < kMostPowers; ++i, mantissa *= 10.0) {
    --power;
  }
  for (int i = 0; mantissa >= 100.0 && i < kMostPowers; ++i, mantissa /= 10.0) {
    ++power;
  }
  const double base = mantissa < 25.0 ? 2.0 : mantissa < 50.0 ? 5.0 : 10.0;
  const double step = base * std::pow(10.0, power);
  const double steps = std::trunc(range / step) + (step < 9.0 ? 1.0 : 2.0);
  const double below = window.minimum >= kZeroSnap ? 0.0 : 1.0;
  const double origin = std::trunc(window.minimum / step - below) * step;
  return {origin, origin + steps * step, step};
}

int ExponentOf(double positive) {
  const int e = static_cast<int>(std::floor(std::log10(positive)));
  return std::clamp(e, -kMostExponent, kMostExponent);
}

}  // namespace

DataWindow WindowOf(const std::vector<double>& values) {
  DataWindow window;
  bool any = false;
  for (double v : values) {
    if (std::isnan(v)) continue;
    if (!any) {
      window = {v, v};
      any = true;
    } else {
      window.minimum = std::min(window.minimum, v);
      window.maximum = std::max(window.maximum, v);
    }
  }
  return window;
}

DataWindow WindowOf(const std::vector<double>& a,
                    const std::vector<double>& b) {
  if (a.empty()) return WindowOf(b);
  if (b.empty()) return WindowOf(a);
  const DataWindow wa = WindowOf(a);
  const DataWindow wb = WindowOf(b);
  return {std::min(wa.minimum, wb.minimum), std::max(wa.maximum, wb.maximum)};
}

DataWindow Widened(DataWindow window) {
  if (HasWidth(window)) return window;
  const double magnitude =
      std::max(std::abs(window.minimum), std::abs(window.maximum));
  // 5% of the value either side, kept finite; where that is still no width
  // (zero, or subnormal values whose 5% rounds away), 0.5 either side.
  const double half = magnitude > 0.0 ? 0.05 * magnitude : 0.5;
  DataWindow widened{std::max(window.minimum - half, -kLargest),
                     std::min(window.maximum + half, kLargest)};
  if (!HasWidth(widened)) {
    widened = {window.minimum - 0.5, window.maximum + 0.5};
  }
  return widened;
}

DataWindow Rounded(DataWindow window) {
  window = Widened(window);
  const double step =
      RoundStep((window.maximum - window.minimum) / kRoundSteps);
  DataWindow rounded{std::floor(window.minimum / step) * step,
                     std::ceil(window.maximum / step) * step};
  // The quotients may round across a whole number: keep every value inside.
  if (rounded.minimum > window.minimum) rounded.minimum -= step;
  if (rounded.maximum < window.maximum) rounded.maximum += step;
  return rounded;
}

DataWindow AxisExtent(DataWindow window) {
  const double maximum = window.maximum;
  if (!HasWidth(window) || !std::isfinite(maximum - window.minimum)) {
    return window;
  }
  if (window.minimum < 0.0 && window.minimum >= kZeroSnap) {
    window.minimum = 2.0 * kZeroSnap;
  }
  for (int raise = 0; raise < kMostRaises; ++raise) {
    const FlooredAxis axis = AxisOf(window);
    const double margin = kAxisMargin * (axis.end - axis.origin);
    if (axis.end >= maximum + margin) return window;
    window.maximum += 0.5 * axis.step;
  }
  // A step is at most a fifth of the range: a quarter more always reaches.
  window.maximum = maximum + 0.25 * (maximum - window.minimum);
  return window;
}

int HistogramClassCount(int64_t count) {
  const double root =
      std::sqrt(static_cast<double>(std::max<int64_t>(count, 0)));
  return static_cast<int>(
      std::clamp<double>(std::round(root), kMinClasses, kMaxClasses));
}

double Mean(const std::vector<double>& values) {
  if (values.empty()) return 0.0;
  double sum = 0.0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

double Variance(const std::vector<double>& values) {
  if (values.empty()) return 0.0;
  const double mean = Mean(values);
  double sum = 0.0;
  for (double v : values) sum += (v - mean) * (v - mean);
  return sum / static_cast<double>(values.size());
}

WeightedMoments WeightedMomentsOf(const std::vector<double>& values,
                                  const std::vector<double>& weights) {
  WeightedMoments moments;
  double total = 0.0, sum = 0.0;
  for (size_t i = 0; i < values.size(); ++i) {
    total += weights[i];
    sum += weights[i] * values[i];
  }
  if (!(total > 0.0)) return moments;
  moments.mean = sum / total;
  double squares = 0.0;
  for (size_t i = 0; i < values.size(); ++i) {
    const double d = values[i] - moments.mean;
    squares += weights[i] * d * d;
  }
  moments.variance = squares / total;
  return moments;
}

FitLine LeastSquaresLine(const std::vector<double>& x,
                         const std::vector<double>& y) {
  FitLine line;
  const size_t n = std::min(x.size(), y.size());
  if (n == 0) return line;
  double mx = 0.0, my = 0.0;
  for (size_t i = 0; i < n; ++i) {
    mx += x[i];
    my += y[i];
  }
  mx /= static_cast<double>(n);
  my /= static_cast<double>(n);
  double sxx = 0.0, syy = 0.0, sxy = 0.0;
  for (size_t i = 0; i < n; ++i) {
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
    sxy += (x[i] - mx) * (y[i] - my);
  }
  line.slope = sxx > 0.0 ? sxy / sxx : 0.0;
  line.intercept = my - line.slope * mx;
  line.correlation =
      (sxx > 0.0 && syy > 0.0) ? sxy / std::sqrt(sxx * syy) : 0.0;
  return line;
}

double ValueScale::factor() const { return std::pow(10.0, exponent); }

std::string ValueScale::Named(const std::string& name) const {
  if (exponent == 0) return name;
  return name + " / 1e" + std::to_string(exponent);
}

std::vector<double> ValueScale::Scaled(
    const std::vector<double>& values) const {
  if (exponent == 0) return values;
  const double f = factor();
  std::vector<double> scaled;
  scaled.reserve(values.size());
  for (double v : values) scaled.push_back(v / f);
  return scaled;
}

ValueScale ScaleFor(const std::vector<double>& values) {
  ValueScale scale;
  const DataWindow window = WindowOf(values);
  const double magnitude =
      std::max(std::fabs(window.minimum), std::fabs(window.maximum));
  const double span = window.maximum - window.minimum;  // may overflow
  if (!std::isfinite(span) || magnitude >= kLargestMagnitude) {
    scale.exponent = ExponentOf(magnitude);
  } else if (span > kResolution * magnitude) {
    if (span < kSmallestSpan) scale.exponent = ExponentOf(span);
  } else if (magnitude > 0.0 && magnitude < kSmallestSpan) {
    scale.exponent = ExponentOf(magnitude);  // constant and tiny
  }
  return scale;
}

}  // namespace korvagraph::analysis
