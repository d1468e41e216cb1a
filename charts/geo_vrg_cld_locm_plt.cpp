#include "charts/geo_vrg_cld_locm_plt.h"

#include "frame/draw_pass.h"
#include "frame/gdi_guards.h"
#include "frame/markers.h"

namespace {

constexpr FrameStyle kPairMapFrame = FrameStyle().Left(10).Top(5).Bottom(10);
constexpr PenSpec kBluePassPen{PS_SOLID, 1, kBlue};
constexpr COLORREF kPrimaryFill = RGB(80, 80, 200);
constexpr COLORREF kSecondFill = RGB(255, 0, 0);
constexpr COLORREF kPairCyan = RGB(0, 255, 255);
constexpr int kSampleRadius = 3;
constexpr int kPairEndRadius = 5;

// Returns the sample at `index`, or null when the set has no such sample:
// selected pairs come from the host unchecked.
const KvDiscPnt* SampleAt(const SampleArray& set, LONG index) {
  if (set.samples == nullptr || index < 0 || index >= set.count) {
    return nullptr;
  }
  return &set.samples[index];
}

}  // namespace

CGeoVrgCldLocmPlt::CGeoVrgCldLocmPlt() : frame_(kPairMapFrame) {}

CGeoVrgCldLocmPlt::~CGeoVrgCldLocmPlt() = default;

void CGeoVrgCldLocmPlt::DrawVrgCldLocmPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  frame_.CalcScale(box_min_.x, box_max_.x, box_min_.y, box_max_.y,
                   OriginRule::kFloored);
  Redraw();
}

void CGeoVrgCldLocmPlt::Redraw() {
  frame_.Repaint();
  if (!frame_.CanDraw()) return;
  RunPass(&CGeoVrgCldLocmPlt::DrawPrimarySamples);
  if (second_.samples != nullptr) {
    RunPass(&CGeoVrgCldLocmPlt::DrawSecondSamples);
  }
  RunPass(&CGeoVrgCldLocmPlt::DrawSelectedPairs);
}

template <typename Pass>
void CGeoVrgCldLocmPlt::RunPass(Pass pass) {
  if (primary_.samples != nullptr) {
    RunChartPass(frame_, kBluePassPen, this, pass);
  }
}

void CGeoVrgCldLocmPlt::DrawPrimarySamples(CDC* dc) {
  for (LONG i = 0; i < primary_.count; ++i) {
    const KvDiscPnt& sample = primary_.samples[i];
    // Written as inclusions so that a NaN value is outside the window.
    if (sample.value >= window_.minimum && sample.value <= window_.maximum) {
      DrawSamplePoint(dc, sample.x, sample.y, kPrimaryFill);
    }
  }
}

void CGeoVrgCldLocmPlt::DrawSecondSamples(CDC* dc) {
  for (LONG i = 0; i < second_.count; ++i) {
    DrawSamplePoint(dc, second_.samples[i].x, second_.samples[i].y,
                    kSecondFill);
  }
}

void CGeoVrgCldLocmPlt::DrawSelectedPairs(CDC* dc) {
  if (pairs_ == nullptr) return;
  // The second index refers to the second samples once they are loaded.
  const SampleArray& second_set =
      second_.samples != nullptr ? second_ : primary_;
  for (LONG k = 0; k < pair_count_; ++k) {
    const KvDiscPnt* first = SampleAt(primary_, pairs_[k].first);
    const KvDiscPnt* second = SampleAt(second_set, pairs_[k].second);
    if (first == nullptr || second == nullptr) continue;
    DrawPairLink(dc, first->x, first->y, second->x, second->y);
  }
}

void CGeoVrgCldLocmPlt::DrawSamplePoint(CDC* dc, double x, double y,
                                        COLORREF fill) {
  DrawCircleMarker(dc, frame_, x, y, kBlack, kSampleRadius, fill);
}

void CGeoVrgCldLocmPlt::DrawPairLink(CDC* dc, double x1, double y1, double x2,
                                     double y2) {
  if (!InsideAxes(frame_, x1, y1) || !InsideAxes(frame_, x2, y2)) return;
  // One pen and brush serve both end circles and the link.
  ScopedSelection pen = SelectNewPen(dc, PS_SOLID, 1, kPairCyan);
  if (!pen.ok()) return;
  ScopedSelection brush = SelectNewBrush(dc, kPairCyan);
  if (!brush.ok()) return;
  CPoint first;
  CPoint second;
  frame_.WorldtoScreen(x1, y1, first.x, first.y);
  frame_.WorldtoScreen(x2, y2, second.x, second.y);
  for (const CPoint& end : {first, second}) {
    dc->Ellipse(end.x - kPairEndRadius, end.y - kPairEndRadius,
                end.x + kPairEndRadius, end.y + kPairEndRadius);
  }
  dc->MoveTo(second.x, second.y);
  dc->LineTo(first.x, first.y);
}
