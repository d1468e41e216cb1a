#include "charts/geo_scat_plt.h"

#include <algorithm>
#include <new>
#include <vector>

#include "charts/qq_parts.h"
#include "frame/draw_pass.h"
#include "frame/markers.h"
#include "siblings/korvalib.h"

namespace {

constexpr PenSpec kGreyPassPen{PS_SOLID, 1, kDarkGrey};

// Both bounds inside; a value that is not a number is outside.
bool Between(const DataExtent& window, double value) {
  return window.minimum <= value && value <= window.maximum;
}

}  // namespace

CGeoScatPlt::CGeoScatPlt() : frame_(kScatterPlotFrame) {}

CGeoScatPlt::~CGeoScatPlt() = default;

void CGeoScatPlt::LoadDiscPnts(KvDiscPnt* samples, LONG count) {
  points_.Load(samples, count);
  loaded_count_ = count;
}

void CGeoScatPlt::CptScatParam(double& r1, LONG& r2, double& r3, double& r4,
                               LONG& r5, double& r6, double& r7, double& r8) {
  const int engine = engine_.get();
  if (engine == 0 || points_.samples == nullptr) return;
  LONG count = std::max<LONG>(points_.count, 0);
  _kvLoadDiscPnts(engine, points_.samples, count, kPrimarySet);
  _kvSetUseSecAttrFlag(engine, 1, 1);
  _kvSetUseWtFlag(engine, 0, 0);
  _kvSetDataExtr(engine, -kKvOpenLimit, kKvOpenLimit);
  _kvSetAttrExtr(engine, x_window_.minimum, x_window_.maximum, kEngineXAxis,
                 kTailFactor);
  _kvSetAttrExtr(engine, y_window_.minimum, y_window_.maximum, kEngineYAxis,
                 kTailFactor);
  _kvSetLogFlag(engine, 0, kEngineXAxis);
  _kvSetLogFlag(engine, 0, kEngineYAxis);
  _kvSetSubNum(engine, 1);
  _kvSetBullSize(engine, 1.0);
  _kvSetScale(engine, kEngineScale);
  _kvSetThoryData(engine, x_window_.minimum, y_window_.minimum,
                  x_window_.maximum, y_window_.maximum);
  _kvDrawScatPlt(engine);
  _kvOutScatPltParam(engine, &count, &r1, &r4, &r7, &r5, &r2, &r6, &r3, &r8);
  // The engine's count rules from now on, but never beyond the host's array.
  points_.count = std::clamp<LONG>(count, 0, std::max<LONG>(loaded_count_, 0));

  std::vector<double> xs;
  std::vector<double> ys;
  try {
    xs.assign(static_cast<size_t>(points_.count), 0.0);
    ys.assign(static_cast<size_t>(points_.count), 0.0);
  } catch (const std::bad_alloc&) {
    return;  // the engine's results stay
  }
  const WindowSummary x = SummarizeInside(
      points_.samples, points_.count, &KvDiscPnt::value,
      [this](double v) { return Between(x_window_, v); }, xs);
  const WindowSummary y = SummarizeInside(
      points_.samples, points_.count, &KvDiscPnt::value2,
      [this](double v) { return Between(y_window_, v); }, ys);
  r2 = x.count;
  r3 = x.mean;
  r4 = x.deviation;
  r5 = y.count;
  r6 = y.mean;
  r7 = y.deviation;
}

void CGeoScatPlt::DrawScatPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  frame_.CalcScale(x_window_.minimum, x_window_.maximum, y_window_.minimum,
                   y_window_.maximum, OriginRule::kDataMinimum);
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoScatPlt::DrawAxes);
  RunPass(&CGeoScatPlt::DrawPoints);
}

template <typename Pass>
void CGeoScatPlt::RunPass(Pass pass) {
  if (points_.samples != nullptr) {
    RunChartPass(frame_, kGreyPassPen, this, pass);
  }
}

void CGeoScatPlt::DrawAxes(CDC* dc) {
  frame_.DrawAxes(dc, kBlack, names_.x.str(), names_.y.str());
}

void CGeoScatPlt::DrawPoints(CDC* dc) {
  for (LONG i = 0; i < points_.count; ++i) {
    DrawCircleMarker(dc, frame_, points_.samples[i].value,
                     points_.samples[i].value2, kBlue, kPointMarkerRadius);
  }
}
