#include "charts/geo_qqpp_plt.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// This chart draws whatever the ranges; the frame's own guard still holds.
constexpr double kAnyRange = 0.0;

}  // namespace

CGeoQqppPlt::CGeoQqppPlt() : frame_(kCrossPlotFrame) {}

CGeoQqppPlt::~CGeoQqppPlt() = default;

void CGeoQqppPlt::CptQqppParam(LONG& count1, double& mean1, double& deviation1,
                               LONG& count2, double& mean2,
                               double& deviation2) {
  if (first_.samples == nullptr || second_.samples == nullptr ||
      engine_.get() == 0) {
    return;
  }
  const LONG p = std::max<LONG>(first_.count, 0);
  const LONG q = std::max<LONG>(second_.count, 0);
  std::vector<double> first_values;
  std::vector<double> second_values;
  try {
    first_values.assign(static_cast<size_t>(p), 0.0);
    second_values.assign(static_cast<size_t>(q), 0.0);
  } catch (const std::bad_alloc&) {
    return;  // no result written
  }
  const WindowSummary first = SummarizeInside(
      first_.samples, p, &KvDiscPnt::value,
      [this](double v) { return !first_window_.Excludes(v); }, first_values);
  const WindowSummary second = SummarizeInside(
      second_.samples, q, &KvDiscPnt::value,
      [this](double v) { return !second_window_.Excludes(v); }, second_values);
  count1 = first.count;
  mean1 = first.mean;
  deviation1 = first.deviation;
  count2 = second.count;
  mean2 = second.mean;
  deviation2 = second.deviation;

  // The pairs come from the whole samples, not from the windowed values.
  const LONG m = std::min(p, q);
  if (!pairs_.Reset(m)) return;
  QuantileRequest request;
  request.first = first_.samples;
  request.first_count = p;
  request.second = second_.samples;
  request.second_count = q;
  request.point_count = m;
  request.selector = selector_;
  request.x_window = first_window_;
  request.y_window = second_window_;
  FormQuantilePairs(engine_.get(), request, pairs_);
}

void CGeoQqppPlt::DrawQqppPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  CalcQuantileScale(frame_, selector_, first_window_, second_window_);
  RedrawQuantilePlot(frame_, names_, pairs_, kAnyRange);
}
