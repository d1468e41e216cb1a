#include "charts/qq_parts.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "frame/draw_pass.h"
#include "frame/markers.h"
#include "siblings/korvalib.h"
#include "siblings/tallyx.h"

namespace {

constexpr PenSpec kRedPassPen{PS_SOLID, 1, kRed};
constexpr double kQuantileTailFactor = 5.0;

void DrawQuantilePoints(CDC* dc, const PlotFrame& frame,
                        const QuantilePairs& pairs) {
  for (LONG i = 0; i < pairs.count(); ++i) {
    DrawCircleMarker(dc, frame, pairs.X(i), pairs.Y(i), kBlue,
                     kPointMarkerRadius);
  }
}

}  // namespace

bool QuantilePairs::Reset(LONG capacity) {
  std::vector<double>().swap(values_);
  has_array_ = false;
  count_ = 0;
  try {
    values_.assign(2 * static_cast<size_t>(std::max<LONG>(capacity, 0)), 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  has_array_ = true;
  return true;
}

void QuantilePairs::SetCount(LONG count) {
  count_ = std::clamp<LONG>(count, 0, capacity());
}

void QuantilePairs::CopyOut(double* x, double* y) const {
  if (x == nullptr || y == nullptr) return;
  for (LONG i = 0; i < count_; ++i) {
    x[i] = X(i);
    y[i] = Y(i);
  }
}

void FormQuantilePairs(int engine, const QuantileRequest& request,
                       QuantilePairs& pairs) {
  _kvLoadDiscPnts(engine, request.first, request.first_count, kPrimarySet);
  _kvLoadDiscPnts(engine, request.second, request.second_count, kSecondSet);
  _kvSetDataExtr(engine, -kKvOpenLimit, kKvOpenLimit);
  _kvSetQqPpFlag(engine, request.selector);
  _kvSetProbPntNum(engine, request.point_count);
  _kvSetAttrExtr(engine, request.x_window.minimum, request.x_window.maximum,
                 kEngineXAxis, kQuantileTailFactor);
  _kvSetAttrExtr(engine, request.y_window.minimum, request.y_window.maximum,
                 kEngineYAxis, kQuantileTailFactor);
  _kvSetLogFlag(engine, 0, kValueAxis);
  _kvSetScale(engine, kEngineScale);
  _kvSetThoryData(engine, request.x_window.minimum, request.y_window.minimum,
                  request.x_window.maximum, request.y_window.maximum);
  _kvDrawQpPlt(engine);
  LONG count = 0;
  _kvOutQpPltParam(engine, pairs.data(), &count);
  pairs.SetCount(count);
}

void CalcQuantileScale(PlotFrame& frame, LONG selector,
                       const DataExtent& x_extent, const DataExtent& y_extent) {
  if (selector == 0) {
    frame.CalcScale(x_extent.minimum, x_extent.maximum, y_extent.minimum,
                    y_extent.maximum, OriginRule::kDataMinimum);
  } else {
    // Both axes carry probabilities: 0 to 1, widened to 1.2 in steps of 0.2.
    frame.CalcScale(0.0, 1.0, 0.0, 1.0, OriginRule::kDataMinimum);
  }
}

void RedrawQuantilePlot(const PlotFrame& frame, const AxisNames& names,
                        const QuantilePairs& pairs, double min_range) {
  frame.Repaint();
  if (!(std::fabs(frame.x.range) >= min_range) ||
      !(std::fabs(frame.y.range) >= min_range) || !frame.CanDraw()) {
    return;
  }
  // Both passes draw nothing while there is no pair array.
  if (!pairs.HasArray()) return;
  RunDrawPass(frame, kRedPassPen, [&](CDC* dc) {
    frame.DrawAxes(dc, kBlack, names.x.str(), names.y.str());
  });
  RunDrawPass(frame, kRedPassPen,
              [&](CDC* dc) { DrawQuantilePoints(dc, frame, pairs); });
}

WindowSummary Summarize(double* values, LONG count) {
  CTallyx tally(values, count);
  WindowSummary summary;
  summary.count = count;
  summary.mean = tally.SimpleArithAverNum();
  summary.deviation = tally.StandDifNum();
  return summary;
}
