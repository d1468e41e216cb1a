#include "charts/geo_cros_plt.h"

#include "frame/draw_pass.h"
#include "frame/markers.h"

namespace {

constexpr PenSpec kRedPassPen{PS_SOLID, 1, kRed};

}  // namespace

CGeoCrosPlt::CGeoCrosPlt() : frame_(kCrossPlotFrame) {}

CGeoCrosPlt::~CGeoCrosPlt() = default;

void CGeoCrosPlt::LoadCrosData(double* x, double* y, LONG count) {
  x_ = x;
  y_ = y;
  count_ = count;
}

void CGeoCrosPlt::SetFitLine(double slope, double intercept) {
  slope_ = slope;
  intercept_ = intercept;
}

void CGeoCrosPlt::DrawCrosPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  frame_.CalcScale(extent_.minimum, extent_.maximum, extent_.minimum,
                   extent_.maximum, OriginRule::kFloored);
  Redraw();
}

void CGeoCrosPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoCrosPlt::DrawAxes);
  RunPass(&CGeoCrosPlt::DrawPoints);
  RunPass(&CGeoCrosPlt::DrawFitLine);
}

template <typename Pass>
void CGeoCrosPlt::RunPass(Pass pass) {
  if (x_ != nullptr && y_ != nullptr) {
    RunChartPass(frame_, kRedPassPen, this, pass);
  }
}

void CGeoCrosPlt::DrawAxes(CDC* dc) {
  frame_.DrawAxes(dc, kBlack, names_.x.str(), names_.y.str());
}

void CGeoCrosPlt::DrawPoints(CDC* dc) {
  for (LONG i = 0; i < count_; ++i) DrawMarker(dc, x_[i], y_[i], kBlue);
}

void CGeoCrosPlt::DrawMarker(CDC* dc, double x, double y, COLORREF color) {
  DrawCircleMarker(dc, frame_, x, y, color, kPointMarkerRadius);
}

void CGeoCrosPlt::DrawFitLine(CDC* dc) {
  // The line spans the whole X axis and is not clipped to the plot.
  const double x1 = frame_.x.origin;
  const double x2 = frame_.x.origin + frame_.x.StepCount() * frame_.x.step;
  LONG sx = 0;
  LONG sy = 0;
  frame_.WorldtoScreen(x1, slope_ * x1 + intercept_, sx, sy);
  dc->MoveTo(sx, sy);
  frame_.WorldtoScreen(x2, slope_ * x2 + intercept_, sx, sy);
  dc->LineTo(sx, sy);
}
