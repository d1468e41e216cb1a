// The state behind one engine handle: copies of the loaded samples, the
// windows and options, and the results of the last computations. Owned by
// the handle table.
#ifndef SIBLINGS_KORVALIB_KORVA_OBJECT_H_
#define SIBLINGS_KORVALIB_KORVA_OBJECT_H_

#include <cstdint>
#include <vector>

#include "korvagraph/records.h"
#include "siblings/korvalib/buffer.h"
#include "siblings/korvalib/distribution_plots.h"
#include "siblings/korvalib/histogram.h"
#include "siblings/korvalib/scatter_statistics.h"
#include "siblings/korvalib/value_window.h"
#include "siblings/korvalib/variogram_model.h"

namespace korvalib {

// The attribute values of each loaded sample, copied at load time:
// second_values is empty where no computation reads it, and where every
// sample's second value is second_constant (records without a second
// attribute: a large sample's memory is not spent on them).
struct SampleSet {
  Column values;
  Column second_values;
  bool second_is_constant = false;
  double second_constant = 0.0;

  // Returns the second values, one per value.
  Column SecondValues() const;
};

// The handle kind of a normal-score computation.
constexpr int kNormalScoreKind = 1;

// Settings the workbench hands over for its own engine's drawing; accepted
// and kept for inspection, but no computation reads them.
struct AcceptedSettings {
  int use_weight[2] = {0, 0};
  int use_second_attribute[2] = {0, 0};
  double tail_factor[3] = {0.0, 0.0, 0.0};
  int log_flag[3] = {0, 0, 0};
  double frequency_extent = 0.0;
  int decimals = 0;
  double reference_value = 0.0;
  int sub_number = 0;
  double bullet_size = 0.0;
  double scale = 0.0;
  double theory_window[4] = {0.0, 0.0, 0.0, 0.0};  // xmin, ymin, xmax, ymax
  int lag_flags[2] = {0, 0};
  int direction_settings[4] = {0, 0, 0, 0};  // tolerances and bandwidths
  int direction_count = 0;
};

struct ScatterOutput {
  int32_t point_count = 0;  // loaded samples of set 1
  ScatterStatistics statistics;
};

class KorvaObject {
 public:
  explicit KorvaObject(int kind) : kind_(kind) {}
  KorvaObject(const KorvaObject&) = delete;
  KorvaObject& operator=(const KorvaObject&) = delete;

  int kind() const { return kind_; }
  AcceptedSettings* mutable_accepted() { return &accepted_; }

  // Copies value of samples[0 .. count-1] into set 1 or 2, and value2 into
  // set 1 of every kind but kNormalScoreKind.
  void Load(const KvDiscPnt* samples, int32_t count, int set);
  void SetDataWindow(double minimum, double maximum);
  // axis 1 value axis, 2 horizontal, 3 vertical; others ignored.
  void SetAxisWindow(int axis, double minimum, double maximum);
  void SetClassCount(int count) { class_count_ = count; }
  void SetCumulative(bool cumulative) { cumulative_ = cumulative; }
  void SetQuantileCount(int count) { quantile_count_ = count; }
  void SetPointNumber(int32_t count);
  void SetProbabilities(const double* probabilities, int count);
  void SetProbabilityForm(bool form) { probability_form_ = form; }

  void ComputeHistogram();
  void ComputeProbabilityPlot();
  void ComputeQqPairs();
  void ComputeScatter();
  const HistogramResult& histogram() const { return histogram_; }
  const ProbabilityPlot& probability_plot() const { return probability_plot_; }
  const Buffer<double>& qq_pairs() const { return qq_pairs_; }
  const ScatterOutput& scatter() const { return scatter_; }

  // Writes the normal scores of set 1's values inside the data window; see
  // korvalib::ComputeNormalScores.
  void WriteNormalScores(double* scores, double* sorted_values,
                         double* sorted_scores) const;

  void SetLags(int count, double spacing);
  void SetDirection(double azimuth, double dip);
  VariogramModel* mutable_model() { return &model_; }
  // Writes the model curve records; see _kvVmodel.
  void WriteModelCurve(ModIndVrg* curve) const;

 private:
  // Returns the window of the axis intersected with the data window.
  ValueWindow AxisWindow(int axis) const;

  const int kind_;
  AcceptedSettings accepted_;
  SampleSet sets_[2];
  ValueWindow data_window_;
  ValueWindow axis_windows_[3];
  int class_count_ = 0;
  bool cumulative_ = false;
  int quantile_count_ = 0;
  size_t point_number_ = SIZE_MAX;  // no limit until set
  std::vector<double> probabilities_;
  bool probability_form_ = false;

  int lag_count_ = -1;  // unset
  double lag_spacing_ = 0.0;
  double azimuth_ = 0.0;
  double dip_ = 0.0;
  VariogramModel model_;

  HistogramResult histogram_;
  ProbabilityPlot probability_plot_;
  Buffer<double> qq_pairs_;
  ScatterOutput scatter_;
};

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_KORVA_OBJECT_H_
