// CGeoScatPlt: two attributes of the same samples against each other, with
// the statistics of the pair.
#ifndef CHARTS_GEO_SCAT_PLT_H_
#define CHARTS_GEO_SCAT_PLT_H_

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoScatPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvScatter;

  CGeoScatPlt();
  ~CGeoScatPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count);
  void SetDataExtr(double minimum, double maximum) {
    x_window_.Set(minimum, maximum);
  }
  void SetDataExtr2(double minimum, double maximum) {
    y_window_.Set(minimum, maximum);
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  // The engine's statistics, then r2..r7 from the values inside each window.
  void CptScatParam(double& r1, LONG& r2, double& r3, double& r4, LONG& r5,
                    double& r6, double& r7, double& r8);
  void DrawScatPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }
  LONG point_count() const { return points_.count; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawPoints(CDC* dc);

  SampleArray points_;     // count: the points drawn, as the engine left it
  LONG loaded_count_ = 0;  // what the host's array holds
  AxisNames names_;
  DataExtent x_window_;
  DataExtent y_window_;
  EngineHandle engine_{kChartEngine};
  PlotFrame frame_;
};

#endif  // CHARTS_GEO_SCAT_PLT_H_
