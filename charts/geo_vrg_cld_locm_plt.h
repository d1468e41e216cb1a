// CGeoVrgCldLocmPlt: the sample locations behind a variogram cloud, with the
// host's selected sample pairs linked. No axes, grid or labels: only points
// and links. Sample and pair arrays are the host's, held by reference.
#ifndef CHARTS_GEO_VRG_CLD_LOCM_PLT_H_
#define CHARTS_GEO_VRG_CLD_LOCM_PLT_H_

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"

class CGeoVrgCldLocmPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvCloudLocationMap;

  CGeoVrgCldLocmPlt();
  ~CGeoVrgCldLocmPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) {
    primary_.Load(samples, count);
  }
  void LoadDiscPnts2(KvDiscPnt* samples, LONG count) {
    second_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    window_.Set(minimum, maximum);
  }
  void SetCoordExtr(const KVD_3DOT& minimum, const KVD_3DOT& maximum) {
    box_min_ = minimum;
    box_max_ = maximum;
  }
  void LoadVrgCldLocSelInfo(KVL_DOT* pairs, LONG count) {
    pairs_ = pairs;
    pair_count_ = count;
  }
  // Draws primary samples, second samples and selected pairs into the window.
  void DrawVrgCldLocmPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }
  const AxisNames& names() const { return names_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawPrimarySamples(CDC* dc);
  void DrawSecondSamples(CDC* dc);
  void DrawSelectedPairs(CDC* dc);
  void DrawSamplePoint(CDC* dc, double x, double y, COLORREF fill);
  void DrawPairLink(CDC* dc, double x1, double y1, double x2, double y2);

  SampleArray primary_;
  SampleArray second_;
  AxisNames names_;  // never set: this map has no axis names
  DataExtent window_;
  KVD_3DOT box_max_{};
  KVD_3DOT box_min_{};
  PlotFrame frame_;
  KVL_DOT* pairs_ = nullptr;
  LONG pair_count_ = 0;
};

#endif  // CHARTS_GEO_VRG_CLD_LOCM_PLT_H_
