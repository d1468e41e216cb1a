#include "charts/geo_vrg_cld_plt.h"

#include <new>

#include "frame/draw_pass.h"
#include "frame/markers.h"
#include "frame/variogram_frame.h"

namespace {

constexpr FrameStyle kCloudFrame =
    kVariogramPlotFrame.BottomPerWidth(kKvVariogramCloudPlotBottom)
        .Grid(GridStyle::kDotted);
constexpr PenSpec kPassPen{PS_SOLID, 1, kDarkGrey};
// Every point is a small circle (the only point style the chart draws) of
// kPointMarkerRadius.
constexpr COLORREF kCloudFill = RGB(250, 50, 50);
constexpr COLORREF kCloudOutline = kBlack;
constexpr COLORREF kSelectedColor = RGB(0, 255, 255);

}  // namespace

CGeoVrgCldPlt::CGeoVrgCldPlt() : frame_(kCloudFrame) {}

CGeoVrgCldPlt::~CGeoVrgCldPlt() = default;

void CGeoVrgCldPlt::DrawVrgCldPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  frame_.CalcScale(x_window_.minimum, x_window_.maximum, y_window_.minimum,
                   y_window_.maximum, OriginRule::kDataMinimum);
  Redraw();
}

void CGeoVrgCldPlt::WorldtoScreen(double x, double y, int& sx, int& sy) const {
  LONG px = 0;
  LONG py = 0;
  frame_.WorldtoScreen(x, y, px, py);
  sx = px;
  sy = py;
}

void CGeoVrgCldPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoVrgCldPlt::DrawAxes);
  RunPass(&CGeoVrgCldPlt::DrawCloud);
  RunPass(&CGeoVrgCldPlt::DrawSelection);
}

template <typename Pass>
void CGeoVrgCldPlt::RunPass(Pass pass) {
  if (x_ != nullptr && y_ != nullptr) {
    RunChartPass(frame_, kPassPen, this, pass);
  }
}

void CGeoVrgCldPlt::DrawAxes(CDC* dc) {
  label_factors_ = CalcAxisFactors(frame_);
  frame_.DrawFrameRect(dc, kBlack);
  frame_.DrawGrid(dc);
  DrawFactorLabels(dc, frame_, label_factors_, names_.x.str(), names_.y.str(),
                   XTickLabels::kEverySecondTick);
}

void CGeoVrgCldPlt::DrawCloud(CDC* dc) const {
  // A million points each as DrawCloudPoint draws one, in runs.
  CircleMarkerRun run(dc, frame_, kCloudOutline, kPointMarkerRadius,
                      kCloudFill);
  for (LONG i = 0; i < count_; ++i) run.Add(x_[i], y_[i]);
}

void CGeoVrgCldPlt::DrawSelection(CDC* dc) const {
  if (selected_ == nullptr) return;
  for (LONG j = 0; j < selected_count_; ++j) {
    const LONG k = selected_[j];
    // A number outside the cloud would read beyond the host's arrays.
    if (k < 0 || k >= count_) continue;
    DrawCloudPoint(dc, x_[k], y_[k], kSelectedColor, kSelectedColor);
  }
}

void CGeoVrgCldPlt::DrawCloudPoint(CDC* dc, double x, double y, COLORREF fill,
                                   COLORREF outline) const {
  DrawCircleMarker(dc, frame_, x, y, outline, kPointMarkerRadius, fill);
}
