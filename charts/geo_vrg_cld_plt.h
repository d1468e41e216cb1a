// CGeoVrgCldPlt: the variogram cloud, one small circle per sample pair, with
// the host's selected points painted over in cyan. The value arrays and the
// selection list stay the host's; the chart owns its engine handle.
#ifndef CHARTS_GEO_VRG_CLD_PLT_H_
#define CHARTS_GEO_VRG_CLD_PLT_H_

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "frame/variogram_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoVrgCldPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvVariogramCloud;

  CGeoVrgCldPlt();
  ~CGeoVrgCldPlt() override;

  void LoadLocPnts(double* x, double* y, LONG count) {
    x_ = x;
    y_ = y;
    count_ = count;
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetDataExtr(double minimum, double maximum) {
    x_window_.Set(minimum, maximum);
  }
  void SetDataExtr2(double minimum, double maximum) {
    y_window_.Set(minimum, maximum);
  }
  void LoadVrgCldSelInfo(LONG* selected, LONG count) {
    selected_ = selected;
    selected_count_ = count;
  }
  // Draws frame, cloud and selection into the window.
  void DrawVrgCldPlt(CWnd* window);
  // The pixel position of (x, y) relative to the plot corner, with the
  // mapping of the last full draw.
  void WorldtoScreen(double x, double y, int& sx, int& sy) const;

  const PlotFrame& frame() const { return frame_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawCloud(CDC* dc) const;
  void DrawSelection(CDC* dc) const;
  void DrawCloudPoint(CDC* dc, double x, double y, COLORREF fill,
                      COLORREF outline) const;

  double* x_ = nullptr;
  double* y_ = nullptr;
  LONG count_ = 0;
  AxisNames names_;
  DataExtent x_window_;
  DataExtent y_window_;
  EngineHandle engine_{kChartEngine};
  PlotFrame frame_;
  AxisFactors label_factors_;  // set while the axes are drawn
  LONG* selected_ = nullptr;
  LONG selected_count_ = 0;
};

#endif  // CHARTS_GEO_VRG_CLD_PLT_H_
