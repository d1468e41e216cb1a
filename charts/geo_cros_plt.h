// CGeoCrosPlt: pairs of values on two axes of one shared scale, with the
// identity diagonal and a straight fit line given by the host.
#ifndef CHARTS_GEO_CROS_PLT_H_
#define CHARTS_GEO_CROS_PLT_H_

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"

class CGeoCrosPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvCrossPlot;

  CGeoCrosPlt();
  ~CGeoCrosPlt() override;

  void LoadCrosData(double* x, double* y, LONG count);
  void SetDataExtr(double minimum, double maximum) {
    extent_.Set(minimum, maximum);
  }
  void SetFitLine(double slope, double intercept);
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  // Draws frame, points and fit line into the window.
  void DrawCrosPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawPoints(CDC* dc);
  void DrawMarker(CDC* dc, double x, double y, COLORREF color);
  void DrawFitLine(CDC* dc);

  double* x_ = nullptr;
  double* y_ = nullptr;
  LONG count_ = 0;
  AxisNames names_;
  DataExtent extent_;
  double slope_ = 0.0;
  double intercept_ = 0.0;
  PlotFrame frame_;
};

#endif  // CHARTS_GEO_CROS_PLT_H_
