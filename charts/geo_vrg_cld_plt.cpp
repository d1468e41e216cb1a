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
constexpr int kCircleStyle = 0;  // the only point style the chart draws
constexpr int kPointRadius = 2;
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
  for (int pass = 0; pass <= 2; ++pass) DrawPass(pass, kCircleStyle);
}

void CGeoVrgCldPlt::DrawPass(int pass, int style) {
  if (x_ == nullptr || y_ == nullptr) return;
  RunDrawPass(frame_, kPassPen, [&](CDC* dc) {
    switch (pass) {
      case 0:
        DrawAxes(dc);
        break;
      case 1:
        DrawCloud(dc, style);
        break;
      case 2:
        DrawSelection(dc, style);
        break;
      default:
        break;
    }
  });
}

void CGeoVrgCldPlt::DrawAxes(CDC* dc) {
  label_factors_ = CalcAxisFactors(frame_);
  frame_.DrawFrameRect(dc, kBlack);
  frame_.DrawGrid(dc);
  DrawFactorLabels(dc, frame_, label_factors_, names_.x.str(), names_.y.str(),
                   XTickLabels::kEverySecondTick);
}

void CGeoVrgCldPlt::DrawCloud(CDC* dc, int style) const {
  // A million points each as DrawCloudPoint draws one, in runs.
  if (style != kCircleStyle) return;
  CircleMarkerRun run(dc, frame_, kCloudOutline, kPointRadius, kCloudFill);
  for (LONG i = 0; i < count_; ++i) run.Add(x_[i], y_[i]);
}

void CGeoVrgCldPlt::DrawSelection(CDC* dc, int style) const {
  if (selected_ == nullptr) return;
  for (LONG j = 0; j < selected_count_; ++j) {
    const LONG k = selected_[j];
    // A number outside the cloud would read beyond the host's arrays.
    if (k < 0 || k >= count_) continue;
    DrawCloudPoint(dc, x_[k], y_[k], kSelectedColor, kSelectedColor, style);
  }
}

void CGeoVrgCldPlt::DrawCloudPoint(CDC* dc, double x, double y, COLORREF fill,
                                   COLORREF outline, int style) const {
  if (style != kCircleStyle) return;
  DrawCircleMarker(dc, frame_, x, y, outline, kPointRadius, fill);
}
