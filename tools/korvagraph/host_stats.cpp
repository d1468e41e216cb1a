#include "tools/korvagraph/host_stats.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinClasses = 5;
constexpr int kMaxClasses = 40;
constexpr double kRoundSteps = 10.0;  // a window holds about this many
// Widths below this part of the magnitude, or below kSmallestWidth (where
// the charts' tick steps would leave the normal doubles), count as none.
constexpr double kResolution = 1e-12;
constexpr double kSmallestWidth = 1e-290;

// Returns the round number (1, 2 or 5 times a power of ten) nearest above
// raw, which is positive.
double RoundStep(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double mantissa : {1.0, 2.0, 5.0}) {
    if (raw <= mantissa * power) return mantissa * power;
  }
  return 10.0 * power;
}

}  // namespace

DataWindow WindowOf(const std::vector<double>& values) {
  DataWindow window;
  if (values.empty()) return window;
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  window.minimum = *lo;
  window.maximum = *hi;
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
  // Below a 1e-12 part of the magnitude, or subnormal, no chart can scale
  // the width either.
  const double magnitude =
      std::max(std::abs(window.minimum), std::abs(window.maximum));
  const double width = window.maximum - window.minimum;
  if (width > kResolution * magnitude && width >= kSmallestWidth) {
    return window;
  }
  const double half =
      window.minimum != 0.0 ? 0.05 * std::abs(window.minimum) : 0.5;
  return {window.minimum - half, window.maximum + half};
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

std::string Abbreviated(const std::string& name, size_t chars) {
  // Byte offset where each character starts; continuation bytes are
  // 10xxxxxx.
  std::vector<size_t> starts;
  for (size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) {
      starts.push_back(i);
    }
  }
  if (starts.size() <= chars) return name;
  return name.substr(0, starts[chars - 1]) + ".";
}

int HistogramClassCount(int count) {
  const int root = static_cast<int>(std::lround(std::sqrt(std::max(count, 0))));
  return std::clamp(root, kMinClasses, kMaxClasses);
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
