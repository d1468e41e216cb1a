// CGeoNqqpPlt: one sample against the normal distribution, as normal scores
// against values (quantile form) or as two probabilities. The compute step
// writes the normal scores into the host's score records.
#ifndef CHARTS_GEO_NQQP_PLT_H_
#define CHARTS_GEO_NQQP_PLT_H_

#include "charts/chart_parts.h"
#include "charts/qq_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoNqqpPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvNormalQq;

  CGeoNqqpPlt();
  ~CGeoNqqpPlt() override;

  void LoadDiscPnts(KvDiscPnt* records, LONG count) {
    scores_.Load(records, count);
  }
  void LoadDiscPnts2(KvDiscPnt* samples, LONG count) {
    samples_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    score_window_.Set(minimum, maximum);
  }
  void SetDataExtr2(double minimum, double maximum) {
    value_window_.Set(minimum, maximum);
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetNqqpType(LONG selector) { selector_ = selector; }
  // Normal scores into the score records, score window, then the pairs.
  void CptNqqpParam();
  void OutPutNqqpPntNum(LONG& count) const { count = pairs_.count(); }
  // Copies the pairs of the last compute step; nothing for null arrays.
  void OutPutNqqpPnt(double* x, double* y) const { pairs_.CopyOut(x, y); }
  void DrawNqqpPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }
  const DataExtent& score_window() const { return score_window_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  // Writes the normal scores of the first n samples into the first records
  // score records and sets their window; false when memory ran out.
  bool WriteScores(int scorer, LONG n, LONG records);

  SampleArray scores_;   // the host's score records, rewritten by the step
  SampleArray samples_;  // the sample under study, read only
  AxisNames names_;
  DataExtent score_window_;
  DataExtent value_window_;
  QuantilePairs pairs_;
  LONG selector_ = 0;
  EngineHandle engine_{kChartEngine};
  PlotFrame frame_;
};

#endif  // CHARTS_GEO_NQQP_PLT_H_
