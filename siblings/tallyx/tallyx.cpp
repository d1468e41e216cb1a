#include "siblings/tallyx/tallyx.h"

#include <cmath>

namespace {

// Returns true when every value equals the first: the exact test for zero
// variance, which rounding in the moments could miss.
bool AllEqual(const double* values, LONG count) {
  if (std::isnan(values[0])) return false;
  for (LONG i = 1; i < count; ++i) {
    if (!(values[i] == values[0])) return false;
  }
  return true;
}

}  // namespace

CTallyx::CTallyx(double* values, LONG count) {
  if (values == nullptr || count <= 0) return;
  const double n = static_cast<double>(count);
  if (AllEqual(values, count)) {
    mean_ = values[0];
    return;
  }
  double sum = 0.0;
  for (LONG i = 0; i < count; ++i) sum += values[i];
  const double mean = sum / n;
  // Central moments about the mean; the first-moment residual corrects the
  // mean for its own rounding.
  double residual = 0.0;
  for (LONG i = 0; i < count; ++i) residual += values[i] - mean;
  mean_ = mean + residual / n;
  for (LONG i = 0; i < count; ++i) {
    const double d = values[i] - mean_;
    const double d2 = d * d;
    m2_ += d2;
    m3_ += d2 * d;
    m4_ += d2 * d2;
  }
  m2_ /= n;
  m3_ /= n;
  m4_ /= n;
}

CTallyx::~CTallyx() = default;

double CTallyx::SimpleArithAverNum() { return mean_; }

double CTallyx::StandDifNum() { return std::sqrt(m2_); }

double CTallyx::AlterDifCoe() {
  return mean_ == 0.0 ? 0.0 : StandDifNum() / mean_;
}

double CTallyx::ApexDegree() {
  return m2_ == 0.0 ? 0.0 : m4_ / (m2_ * m2_) - 3.0;
}

double CTallyx::DeflectDegree() {
  return m2_ == 0.0 ? 0.0 : m3_ / std::pow(m2_, 1.5);
}
