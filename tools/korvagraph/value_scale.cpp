#include "tools/korvagraph/value_scale.h"

#include <algorithm>
#include <cmath>

#include "tools/korvagraph/host_stats.h"

namespace {

// Spans below this are drawn magnified: the library's smallest drawn range
// is 1e-5, and the round window adds little.
constexpr double kSmallestSpan = 1e-4;
// Magnitudes from this on are drawn reduced: squares of 1e154 overflow.
constexpr double kLargestMagnitude = 1e150;
// A span below this fraction of the magnitude is below what a double can
// show in a picture: such values are taken as constant.
constexpr double kResolution = 1e-12;
// Exponents stay where 10^exponent is a normal double.
constexpr int kMostExponent = 300;

int ExponentOf(double positive) {
  const int e = static_cast<int>(std::floor(std::log10(positive)));
  return std::clamp(e, -kMostExponent, kMostExponent);
}

}  // namespace

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

AttributeSample ValueScale::Sample(const std::vector<double>& values) const {
  const std::vector<double> scaled = Scaled(values);
  return AttributeSample{AttributeRecords(scaled), Rounded(WindowOf(scaled))};
}

void ValueScale::Unscale(AxisSummary* summary) const {
  summary->mean = Unscaled(summary->mean);
  summary->deviation = Unscaled(summary->deviation);
}

void ValueScale::AddNote(const std::string& name, Statistics* stats) const {
  if (exponent != 0) AddText(stats, name + " drawn as", Named(name));
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
