#include "siblings/korvalib/korva_object.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "siblings/korvalib/normal_scores.h"
#include "siblings/korvalib/two_way.h"

namespace korvalib {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
// Where the curve's second record stands, in lag spacings: just past the
// origin, so that a plotted curve shows the nugget jump.
constexpr double kNuggetLag = 1e-4;

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The second values of a run of records: one number while every record
// holds the same, else a column.
struct SecondValues {
  size_t begin = 0, end = 0;
  double constant = 0.0;
  Column column;  // empty while constant

  void Copy(const KvDiscPnt* samples, size_t first, size_t last) {
    begin = first;
    end = last;
    if (first == last) return;
    constant = samples[first].value2;
    size_t i = first;
    while (i < last && SameBits(samples[i].value2, constant)) ++i;
    if (i == last) return;
    column.assign(last - first, constant);
    for (; i < last; ++i) column[i - first] = samples[i].value2;
  }
  double At(size_t i) const {
    return column.empty() ? constant : column[i - begin];
  }
};

// Keeps the second values of two adjacent runs in *set: one number when
// both hold the same one.
void Join(const SecondValues& a, const SecondValues& b, size_t size,
          SampleSet* set) {
  const bool a_constant = a.column.empty(), b_constant = b.column.empty();
  const bool b_empty = b.begin == b.end;
  if (a_constant && (b_empty || (b_constant && SameBits(a.constant,
                                                         b.constant)))) {
    set->second_is_constant = true;
    set->second_constant = a.constant;
    return;
  }
  set->second_values.resize(size);
  for (size_t i = 0; i < size; ++i) {
    set->second_values[i] = i < a.end ? a.At(i) : b.At(i);
  }
}

}  // namespace

Column SampleSet::SecondValues() const {
  if (!second_is_constant) return second_values;
  return Column(values.size(), second_constant);
}

void KorvaObject::Load(const KvDiscPnt* samples, int32_t count, int set) {
  if (set != 1 && set != 2) return;
  // Only the scatter statistics read value2, and only of set 1; a
  // normal-score handle never computes them.
  const bool with_second = set == 1 && kind_ != kNormalScoreKind;
  SampleSet loaded;
  const size_t size =
      samples != nullptr && count > 0 ? static_cast<size_t>(count) : 0;
  loaded.values.resize(size);
  SecondValues halves[2];
  auto copy = [&](size_t begin, size_t end, SecondValues* second) {
    for (size_t i = begin; i < end; ++i) loaded.values[i] = samples[i].value;
    if (with_second) second->Copy(samples, begin, end);
  };
  if (WorthTwoWays(size)) {
    RunTwoWays([&] { copy(0, size / 2, &halves[0]); },
               [&] { copy(size / 2, size, &halves[1]); });
  } else {
    copy(0, size, &halves[0]);
  }
  if (with_second) Join(halves[0], halves[1], size, &loaded);
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
  output.statistics = ComputeScatterStatistics(set.values, set.SecondValues(),
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
