// CGeoHistPlt: the distribution of one attribute as a frequency histogram or
// a cumulative curve, with the sample statistics its compute step returns.
// The chart owns its result array and engine handle; the samples stay the
// host's.
#ifndef CHARTS_GEO_HIST_PLT_H_
#define CHARTS_GEO_HIST_PLT_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoHistPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvHistogram;

  CGeoHistPlt();
  ~CGeoHistPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) {
    points_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    window_.Set(minimum, maximum);
  }
  void SetHistNum(LONG classes) { class_count_ = classes; }
  void SetHistType(int kind) { kind_ = kind; }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  // Runs the compute step; returns 1 on success, 0 on failure. On failure
  // r1 to r9 are untouched; r10 to r12 only when the result array could not
  // be had. A class count above 10^6 and above the point count fails at
  // once, storing nothing.
  LONG CptHistParam(LONG& r1, LONG& r2, double& r3, double& r4, double& r5,
                    double& r6, double& r7, double& r8, double& r9, double& r10,
                    double& r11, double& r12);
  // Writes the number of points OutPutHistPnt gives: 0 before a successful
  // compute step, and never more than the result array holds.
  void OutPutHistPntNum(LONG& count) const;
  // Fills first[i] (class midpoint or cumulative fraction) and second[i]
  // (frequency or value) for OutPutHistPntNum points.
  void OutPutHistPnt(double* first, double* second) const;
  void DrawHistPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  // Point counts of the two kinds, bounded by the result array's length.
  LONG FrequencyPointCount() const;
  LONG CumulativePointCount() const;
  LONG OutputPointCount() const;

  void CalcScale();
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawBars(CDC* dc) const;
  void DrawBar(CDC* dc, double x1, double y1, double x2, double y2) const;
  void DrawCurve(CDC* dc) const;

  SampleArray points_;
  AxisNames names_;
  DataExtent window_{-kKvOpenLimit, kKvOpenLimit};
  std::vector<double> result_;  // empty until a compute step succeeds
  bool has_result_ = false;
  double max_frequency_ = 0.0;
  LONG class_count_ = 0;
  int kind_ = 0;
  LONG output_count_ = 0;
  EngineHandle engine_{kChartEngine};
  double x_label_factor_ = 1.0;
  PlotFrame frame_;
  double class_width_ = 0.0;
  LONG quantile_count_ = 10000;
};

#endif  // CHARTS_GEO_HIST_PLT_H_
