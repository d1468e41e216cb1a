// Parts shared by the two Q-Q charts (normal Q-Q and Q-Q / P-P): the pairs
// the engine forms, the engine request that forms them, the scale of both
// forms and the two draw passes (their frame is the cross plot's). Also the
// windowed count, mean and deviation that the Q-Q / P-P and scatter charts
// report.
#ifndef CHARTS_QQ_PARTS_H_
#define CHARTS_QQ_PARTS_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"

// The (x, y) pairs the engine formed at the last compute step, owned by the
// chart. There is no array before the first step or after a failed one.
class QuantilePairs {
 public:
  // Replaces the array with `capacity` zeroed pairs and a count of 0.
  // Returns false, holding no array, when the memory cannot be had.
  bool Reset(LONG capacity);

  bool HasArray() const { return has_array_; }
  LONG capacity() const { return static_cast<LONG>(values_.size() / 2); }
  LONG count() const { return count_; }
  // Storage for the engine: capacity() pairs, x before y.
  double* data() { return values_.data(); }
  // Keeps the engine's count, clamped to [0, capacity()].
  void SetCount(LONG count);

  double X(LONG i) const { return values_[2 * static_cast<size_t>(i)]; }
  double Y(LONG i) const { return values_[2 * static_cast<size_t>(i) + 1]; }

  // Copies the count() pairs into x[i] and y[i]; nothing for a null array.
  void CopyOut(double* x, double* y) const;

 private:
  std::vector<double> values_;
  bool has_array_ = false;
  LONG count_ = 0;
};

// What the engine needs to pair two sample sets: set 1 runs along the
// horizontal axis inside x_window, set 2 along the vertical one inside
// y_window; point_count pairs are placed; selector 0 asks for quantiles.
struct QuantileRequest {
  KvDiscPnt* first = nullptr;
  LONG first_count = 0;
  KvDiscPnt* second = nullptr;
  LONG second_count = 0;
  LONG point_count = 0;
  LONG selector = 0;
  DataExtent x_window;
  DataExtent y_window;
};

// Hands the request to the engine and reads its pairs into `pairs`.
// REQUIRES: pairs.HasArray(), with room for request.point_count pairs.
void FormQuantilePairs(int engine, const QuantileRequest& request,
                       QuantilePairs& pairs);

// Quantile form (selector 0): the extents are the two windows and the axis
// origins their minimums. Probability form: origins 0 and ranges 1.
void CalcQuantileScale(PlotFrame& frame, LONG selector,
                       const DataExtent& x_extent, const DataExtent& y_extent);

// Repaints the window, then, when both ranges are at least `min_range` in
// magnitude and the frame can draw, the frame pass and the point pass. Both
// passes draw nothing while there is no pair array.
void RedrawQuantilePlot(const PlotFrame& frame, const AxisNames& names,
                        const QuantilePairs& pairs, double min_range);

// Count, mean and standard deviation of the values inside a window.
struct WindowSummary {
  LONG count = 0;
  double mean = 0.0;
  double deviation = 0.0;
};

// Returns the summary of the first `count` entries of `values`.
WindowSummary Summarize(double* values, LONG count);

// Collects, in sample order, the attribute of every sample for which
// inside(value) holds into the front of `scratch` and summarises them.
// REQUIRES: scratch holds at least `count` entries.
template <typename Inside>
WindowSummary SummarizeInside(const KvDiscPnt* samples, LONG count,
                              double KvDiscPnt::*attribute, Inside inside,
                              std::vector<double>& scratch) {
  LONG kept = 0;
  for (LONG i = 0; i < count; ++i) {
    const double value = samples[i].*attribute;
    if (inside(value)) scratch[static_cast<size_t>(kept++)] = value;
  }
  return Summarize(scratch.data(), kept);
}

#endif  // CHARTS_QQ_PARTS_H_
