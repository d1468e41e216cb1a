#include "siblings/korvalib/korva_object.h"

#include <cmath>
#include <utility>

#include "siblings/korvalib/normal_scores.h"
#include "siblings/korvalib/two_way.h"

namespace korvalib {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
// Where the curve's second record stands, in lag spacings: just past the
// origin, so that a plotted curve shows the nugget jump.
constexpr double kNuggetLag = 1e-4;

}  // namespace

void KorvaObject::Load(const KvDiscPnt* samples, int32_t count, int set) {
  if (set != 1 && set != 2) return;
  // Only the scatter statistics read value2, and only of set 1; a
  // normal-score handle never computes them.
  const bool with_second = set == 1 && kind_ != kNormalScoreKind;
  SampleSet loaded;
  const size_t size =
      samples != nullptr && count > 0 ? static_cast<size_t>(count) : 0;
  loaded.values.resize(size);
  if (with_second) loaded.second_values.resize(size);
  auto copy = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      loaded.values[i] = samples[i].value;
      if (with_second) loaded.second_values[i] = samples[i].value2;
    }
  };
  if (WorthTwoWays(size)) {
    RunTwoWays([&] { copy(0, size / 2); }, [&] { copy(size / 2, size); });
  } else {
    copy(0, size);
  }
  sets_[set - 1] = std::move(loaded);
}

void KorvaObject::SetDataWindow(double minimum, double maximum) {
  data_window_ = ValueWindow{minimum, maximum};
}

void KorvaObject::SetAxisWindow(int axis, double minimum, double maximum) {
  if (axis < 1 || axis > 3) return;
  axis_windows_[axis - 1] = ValueWindow{minimum, maximum};
}

void KorvaObject::SetPointNumber(int32_t count) {
  point_number_ = count > 0 ? static_cast<size_t>(count) : 0;
}

void KorvaObject::SetProbabilities(const double* probabilities, int count) {
  if (probabilities == nullptr || count <= 0) {
    probabilities_.clear();
    return;
  }
  probabilities_.assign(probabilities, probabilities + count);
}

ValueWindow KorvaObject::AxisWindow(int axis) const {
  return Intersect(data_window_, axis_windows_[axis - 1]);
}

void KorvaObject::ComputeHistogram() {
  HistogramSettings settings;
  settings.class_range = AxisWindow(1);
  settings.class_count = class_count_;
  settings.cumulative = cumulative_;
  settings.quantile_count = quantile_count_;
  histogram_ = korvalib::ComputeHistogram(sets_[0].values, settings);
}

void KorvaObject::ComputeProbabilityPlot() {
  probability_plot_ = korvalib::ComputeProbabilityPlot(
      Select(sets_[0].values, AxisWindow(1)), probabilities_);
}

void KorvaObject::ComputeQqPairs() {
  qq_pairs_ = korvalib::ComputeQqPairs(Select(sets_[0].values, AxisWindow(2)),
                                       Select(sets_[1].values, AxisWindow(3)),
                                       point_number_, probability_form_);
}

void KorvaObject::ComputeScatter() {
  ScatterOutput output;
  const SampleSet& set = sets_[0];
  output.point_count = static_cast<int32_t>(set.values.size());
  output.statistics = ComputeScatterStatistics(set.values, set.second_values,
                                               AxisWindow(2), AxisWindow(3));
  scatter_ = output;
}

void KorvaObject::WriteNormalScores(double* scores, double* sorted_values,
                                    double* sorted_scores) const {
  ComputeNormalScores(sets_[0].values, data_window_, scores, sorted_values,
                      sorted_scores);
}

void KorvaObject::SetLags(int count, double spacing) {
  lag_count_ = count;
  lag_spacing_ = spacing;
}

void KorvaObject::SetDirection(double azimuth, double dip) {
  azimuth_ = azimuth;
  dip_ = dip;
}

void KorvaObject::WriteModelCurve(ModIndVrg* curve) const {
  if (curve == nullptr || lag_count_ < 0) return;
  const double step_x = std::sin(azimuth_ * kDegree) * std::cos(dip_ * kDegree);
  const double step_y = std::cos(azimuth_ * kDegree) * std::cos(dip_ * kDegree);
  const double step_z = std::sin(dip_ * kDegree);
  auto write = [&](size_t record, double h) {
    curve[record].h = h;
    curve[record].value =
        model_.Semivariance(h * step_x, h * step_y, h * step_z);
  };
  curve[0].h = 0.0;
  curve[0].value = 0.0;
  write(1, kNuggetLag * lag_spacing_);
  for (int64_t k = 2; k <= int64_t{lag_count_} + 1; ++k) {
    write(static_cast<size_t>(k), static_cast<double>(k - 1) * lag_spacing_);
  }
}

}  // namespace korvalib
