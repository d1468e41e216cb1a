// CGeoLocmPlt: samples on a coordinate plane, coloured by value through the
// "Contour" colour table, with a fixed colour legend in a second window. The
// sample array is the host's, held by reference; both windows are the host's.
#ifndef CHARTS_GEO_LOCM_PLT_H_
#define CHARTS_GEO_LOCM_PLT_H_

#include <cstdint>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"

class CGeoLocmPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvLocalMeanMap;
  static constexpr int kTableSize = 256;
  static constexpr int kRequestSize = 2176;

  CGeoLocmPlt();
  ~CGeoLocmPlt() override;

  void LoadDiscPnts(KvDiscPnt* samples, LONG count) {
    samples_.Load(samples, count);
  }
  void SetDataExtr(double minimum, double maximum) {
    window_.Set(minimum, maximum);
  }
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetCoordExtr(const KVD_3DOT& minimum, const KVD_3DOT& maximum) {
    box_min_ = minimum;
    box_max_ = maximum;
  }
  void SetCurPlane(int plane) { plane_ = plane; }
  // Fetches the colour table and fixes the colour scale from the window.
  void CptLocmParam();
  // Draws the map of the current plane and the legend.
  void DrawLocmPlt(CWnd* map, CWnd* legend);

  const PlotFrame& frame() const { return frame_; }
  float color_scale() const { return color_scale_; }

  // Returns a 16-bit table component as the 8-bit colour the map draws:
  // trunc(c * 255 / 65536), so 65535 -> 254 and 32768 -> 127.
  static uint16_t ScaleComponent(uint16_t component);

  friend struct ChartInspector;  // tests read the stored state
 private:
  void CalcScale();
  void Redraw();
  // The one pass: the plane's axes and samples.
  void DrawPlane(int plane);
  void DrawAxes(CDC* dc, COLORREF color, const char* horizontal_name,
                const char* vertical_name) const;
  // Sets the current colour from the table entry for `value`; false when the
  // value gives no index (NaN or an infinite product).
  bool SetCurrentColor(double value);
  void DrawSamplePoint(CDC* dc, double x, double y) const;
  void ReadLegendRect();
  void DrawLegend() const;

  SampleArray samples_;
  AxisNames names_;  // kept, never drawn: the axes carry the plane's letters
  DataExtent window_;
  // Modes and replacements for samples beyond the window. No export sets
  // them, so out-of-window samples are always skipped.
  [[maybe_unused]] int upper_mode_ = 0;
  [[maybe_unused]] int lower_mode_ = 0;
  [[maybe_unused]] double upper_replacement_ = 0.0;
  [[maybe_unused]] double lower_replacement_ = 0.0;
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
