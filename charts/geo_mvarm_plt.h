// CGeoMVarmPlt: up to 20 experimental variograms on one pair of axes, each in
// its own colour, recording the pixel position of every point it draws.
#ifndef CHARTS_GEO_MVARM_PLT_H_
#define CHARTS_GEO_MVARM_PLT_H_

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "frame/variogram_frame.h"
#include "korvagraph/KorvaGraphLib.h"

class CGeoMVarmPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvMultipleVariogram;
  static constexpr LONG kMaxVariograms = 20;

  CGeoMVarmPlt();
  ~CGeoMVarmPlt() override;

  // Loads the variogram tables; returns the load status (1 after a full load).
  LONG LoadMVarmData(Variogram** entries, LONG* lag_counts, CPoint** positions,
                     LONG count, int* show_flags, int load_flag);
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetMVrgNug(double nugget) { nugget_ = nugget; }
  void SetMIsDspLine(int flag) { line_flag_ = flag; }
  void SetMIsDspSill(int flag, double sill) {
    sill_flag_ = flag;
    sill_ = sill;
  }
  void SetMCutOffNO(int count, int current) {
    cutoff_count_ = count;
    current_cutoff_ = current;
  }
  void SetMColor(ULONG* point_colors, ULONG* second_colors) {
    point_colors_ = point_colors;
    second_colors_ = second_colors;
  }
  void DrawMVarmPlt(CWnd* window);
  void DrawMVrgLine();

  const PlotFrame& frame() const { return frame_; }
  LONG variogram_count() const { return count_; }
  int load_flag() const { return load_flag_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  // True when every one of the first count slots holds its arrays.
  bool SlotsReady() const;
  void CalcExtents();
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawPoints(CDC* dc);
  void DrawSill(CDC* dc);

  Variogram* entries_[kMaxVariograms] = {};
  LONG lag_counts_[kMaxVariograms] = {};
  LONG count_ = 0;
  CPoint* positions_[kMaxVariograms] = {};
  int show_flags_[kMaxVariograms] = {};
  int load_flag_ = 0;
  AxisNames names_;
  double nugget_ = 0.0;
  int line_flag_ = 0;
  int sill_flag_ = 0;
  double sill_ = 0.0;
  int cutoff_count_ = 0;
  int current_cutoff_ = 0;
  ULONG* point_colors_ = nullptr;
  ULONG* second_colors_ = nullptr;
  VariogramExtents extents_;
  PlotFrame frame_;
  AxisFactors label_factors_;  // set while the axes are drawn
};

#endif  // CHARTS_GEO_MVARM_PLT_H_
