#include "tools/korvagraph/host_stats.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinClasses = 5;
constexpr int kMaxClasses = 40;

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
