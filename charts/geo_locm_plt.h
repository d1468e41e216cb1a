// CGeoLocmPlt: samples on a coordinate plane, coloured by value through the
// "Contour" colour table, with a fixed colour legend in a second window.
#ifndef CHARTS_GEO_LOCM_PLT_H_
#define CHARTS_GEO_LOCM_PLT_H_

#include <cstdint>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "include/KorvaGraphLib.h"

class CGeoLocmPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = 3;
  static constexpr int kTableSize = 256;
  static constexpr int kRequestSize = 2176;

  CGeoLocmPlt();
  ~CGeoLocmPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) { samples_.Load(samples, count); }
  void SetDataExtr(double minimum, double maximum) { window_.Set(minimum, maximum); }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetCoordExtr(const KVD_3DOT& minimum, const KVD_3DOT& maximum) {
    box_min_ = minimum;
    box_max_ = maximum;
  }
  void SetCurPlane(int plane) { plane_ = plane; }
  void CptLocmParam();
  void DrawLocmPlt(CWnd* map, CWnd* legend);

  const PlotFrame& frame() const { return frame_; }

 private:
  SampleSet samples_;
  AxisNames names_;
  ValueWindow window_;
  int upper_mode_ = 0;
  int lower_mode_ = 0;
  double upper_replacement_ = 0.0;
  double lower_replacement_ = 0.0;
  KVD_3DOT box_max_{};
  KVD_3DOT box_min_{};
  int plane_ = 0;
  float color_scale_ = 0.0f;
  uint16_t current_color_[3] = {};
  float float_minimum_ = 0.0f;
  float float_maximum_ = 0.0f;
  char request_[kRequestSize] = {};
  uint16_t color_table_[kTableSize][3] = {};
  int32_t ravlin_extra_ = 0;
  uint8_t last_index_ = 0;
  PlotFrame frame_;
  CWnd* legend_ = nullptr;
  RECT legend_rect_{};
};

#endif  // CHARTS_GEO_LOCM_PLT_H_
