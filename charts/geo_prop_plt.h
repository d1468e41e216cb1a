// CGeoPropPlt: sample values against a probability axis of 21 fixed levels.
#ifndef CHARTS_GEO_PROP_PLT_H_
#define CHARTS_GEO_PROP_PLT_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "include/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoPropPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = 2;
  static constexpr int kLevelCount = 21;

  CGeoPropPlt();
  ~CGeoPropPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) { samples_.Load(samples, count); }
  void SetDataExtr(double minimum, double maximum) { window_.Set(minimum, maximum); }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void CptPropParam();
  void OutPutPropPntNum(LONG& count) const { count = output_count_; }
  void OutPutPropPnt(double* positions, double* values,
                     double* value_positions) const;
  void DrawPropPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }

 private:
  SampleSet samples_;
  AxisNames names_;
  ValueWindow window_;
  double probabilities_[kLevelCount];
  double positions_[kLevelCount] = {};
  std::vector<double> output_;  // (value, position) pairs
  bool has_output_ = false;
  LONG output_count_ = 0;
  EngineHandle engine_{3};
  PlotFrame frame_;
  double label_factor_ = 1.0;
};

#endif  // CHARTS_GEO_PROP_PLT_H_
