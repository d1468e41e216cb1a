// CGeoVarmPlt: one experimental variogram with its model curve and sill,
// recording the pixel position of every point it draws for the host.
#ifndef CHARTS_GEO_VARM_PLT_H_
#define CHARTS_GEO_VARM_PLT_H_

#include <vector>

#include "charts/chart_parts.h"
#include "frame/plot_frame.h"
#include "frame/variogram_frame.h"
#include "korvagraph/KorvaGraphLib.h"

// The entries [begin, end) of one cut-off row of a host's variogram array.
struct VariogramRow {
  long long begin = 0;
  long long end = 0;
};

// Row `current` of rows of lag_count + 2 entries. Empty when the current
// cut-off lies outside 0 .. cutoff_count - 1 or the row length is negative.
VariogramRow CurrentVariogramRow(LONG lag_count, int cutoff_count, int current);

// True for an entry with enough pairs to be drawn and scaled over.
inline bool IsQualifying(const Variogram& entry) {
  return entry.npairs >= kKvMinVariogramPairs;
}

// Appends the semivariance and the lag of every qualifying entry among
// cutoff_count rows of lag_count + 2 entries.
void CollectQualifying(const Variogram* entries, LONG lag_count,
                       int cutoff_count, std::vector<double>& gammas,
                       std::vector<double>& lags);

class CGeoVarmPlt : public CKorvaGraph {
 public:
  static constexpr LONG kTypeCode = kKvVariogram;

  CGeoVarmPlt();
  ~CGeoVarmPlt() override;

  void LoadVarmData(Variogram* entries, ModIndVrg* model, CPoint* positions,
                    int* selected, LONG lag_count, int model_flag);
  void SetAxiName(const CString& x_name, const CString& y_name) {
    names_.Set(x_name, y_name);
  }
  void SetVrgNug(double nugget) { nugget_ = nugget; }
  void SetIsDspLine(int flag) { line_flag_ = flag; }
  void SetIsDspSill(int flag, double sill) {
    sill_flag_ = flag;
    sill_ = sill;
  }
  void SetCutOffNO(int count, int current) {
    cutoff_count_ = count;
    current_cutoff_ = current;
  }
  void SetColor(ULONG point_color, ULONG model_color) {
    point_color_ = point_color;
    model_color_ = model_color;
  }
  void DrawVarmPlt(CWnd* window);
  void DrawVrgLine();
  void DrawSelectPoint();

  const PlotFrame& frame() const { return frame_; }

  friend struct ChartInspector;  // tests read the stored state
 private:
  void CalcExtents();
  void CalcScale();
  void Redraw();
  // Runs one of the passes below when the chart has what they draw.
  template <typename Pass>
  void RunPass(Pass pass);
  void DrawAxes(CDC* dc);
  void DrawPoints(CDC* dc);
  void DrawModelCurve(CDC* dc);
  void DrawSill(CDC* dc);

  Variogram* entries_ = nullptr;
  ModIndVrg* model_ = nullptr;
  CPoint* positions_ = nullptr;
  int* selected_ = nullptr;
  LONG lag_count_ = 0;
  int model_flag_ = 0;
  AxisNames names_;
  double nugget_ = 0.0;
  int line_flag_ = 0;
  int cutoff_count_ = 0;
  int current_cutoff_ = 0;
  COLORREF point_color_ = RGB(0, 0, 255);
  COLORREF model_color_ = RGB(255, 0, 0);
  VariogramExtents extents_;
  PlotFrame frame_;
  int sill_flag_ = 0;
  double sill_ = 0.0;
  AxisFactors label_factors_;  // set while the axes are drawn
};

#endif  // CHARTS_GEO_VARM_PLT_H_
