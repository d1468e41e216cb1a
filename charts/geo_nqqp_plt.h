// CGeoNqqpPlt: one sample against the normal distribution, as normal scores
// against values (quantile form) or as two probabilities.
#ifndef CHARTS_GEO_NQQP_PLT_H_
#define CHARTS_GEO_NQQP_PLT_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "include/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoNqqpPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = 4;

  CGeoNqqpPlt();
  ~CGeoNqqpPlt() override;

  void LoadDiscPnts(KvDiscPnt* records, LONG count) { scores_.Load(records, count); }
  void LoadDiscPnts2(KvDiscPnt* samples, LONG count) { samples_.Load(samples, count); }
  void SetDataExtr(double minimum, double maximum) { score_window_.Set(minimum, maximum); }
  void SetDataExtr2(double minimum, double maximum) { value_window_.Set(minimum, maximum); }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetNqqpType(LONG selector) { selector_ = selector; }
  void CptNqqpParam();
  void OutPutNqqpPntNum(LONG& count) const { count = output_count_; }
  void OutPutNqqpPnt(double* x, double* y) const;
  void DrawNqqpPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }

 private:
  SampleSet scores_;
  SampleSet samples_;
  AxisNames names_;
  ValueWindow score_window_;
  ValueWindow value_window_;
  std::vector<double> output_;  // (x, y) pairs
  bool has_output_ = false;
  LONG output_count_ = 0;
  LONG selector_ = 0;
  EngineHandle engine_{3};
  PlotFrame frame_;
};

#endif  // CHARTS_GEO_NQQP_PLT_H_
