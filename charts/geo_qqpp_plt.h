// CGeoQqppPlt: two samples compared quantile against quantile or probability
// against probability, with each sample's count, mean and deviation.
#ifndef CHARTS_GEO_QQPP_PLT_H_
#define CHARTS_GEO_QQPP_PLT_H_

#include "charts/chart_parts.h"
#include "charts/qq_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

class CGeoQqppPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvQqPp;

  CGeoQqppPlt();
  ~CGeoQqppPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) {
    first_.Load(samples, count);
  }
  void LoadDiscPnts2(KvDiscPnt* samples, LONG count) {
    second_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    first_window_.Set(minimum, maximum);
  }
  void SetDataExtr2(double minimum, double maximum) {
    second_window_.Set(minimum, maximum);
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetQqppType(LONG selector) { selector_ = selector; }
  // Each sample's count, mean and deviation inside its window, then the
  // pairs of the whole samples.
  void CptQqppParam(LONG& count1, double& mean1, double& deviation1,
                    LONG& count2, double& mean2, double& deviation2);
  void DrawQqppPlt(CWnd* window);

  const PlotFrame& frame() const { return frame_; }
  const QuantilePairs& pairs() const { return pairs_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  SampleArray first_;
  SampleArray second_;
  AxisNames names_;
  DataExtent first_window_;
  DataExtent second_window_;
  LONG selector_ = 0;
  QuantilePairs pairs_;
  EngineHandle engine_{kChartEngine};
  PlotFrame frame_;
};

#endif  // CHARTS_GEO_QQPP_PLT_H_
