// CGeoPropPlt: sample values against a probability axis of 21 fixed levels.
// The engine places the levels and the samples on the vertical axis; the
// chart owns the (value, position) pairs it returns and its engine handle.
#ifndef CHARTS_GEO_PROP_PLT_H_
#define CHARTS_GEO_PROP_PLT_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoPropPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvProbability;
  static constexpr int kLevelCount = 21;

  CGeoPropPlt();
  ~CGeoPropPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) {
    samples_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    window_.Set(minimum, maximum);
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  // Has the engine place the levels and the samples; replaces the pairs,
  // their count and the level positions. Nothing without samples or engine.
  void CptPropParam();
  // The number of pairs OutPutPropPnt copies: 0 before a successful compute
  // step, never more than the pair array holds.
  void OutPutPropPntNum(LONG& count) const { count = output_count_; }
  // Copies the 21 level positions into `positions` and the pairs' values and
  // positions into the other two arrays; a null array is skipped.
  void OutPutPropPnt(double* positions, double* values,
                     double* value_positions) const;
  void DrawPropPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  void CalcScale();
  bool CanDraw() const;
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawPoints(CDC* dc) const;
  void DrawLevelLines(CDC* dc) const;

  SampleArray samples_;
  AxisNames names_;
  DataExtent window_;
  double probabilities_[kLevelCount];
  double positions_[kLevelCount] = {};
  std::vector<double> output_;  // (value, position) pairs, value first
  bool has_output_ = false;
  LONG output_count_ = 0;  // never more than the pairs held
  EngineHandle engine_{kChartEngine};
  PlotFrame frame_;
  double label_factor_ = 1.0;
};

#endif  // CHARTS_GEO_PROP_PLT_H_
