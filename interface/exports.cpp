// Every export that takes a graph handle: one dispatch line each, naming the
// chart classes that serve it.
#include "charts/geo_cros_plt.h"
#include "charts/geo_hist_plt.h"
#include "charts/geo_locm_plt.h"
#include "charts/geo_mvarm_plt.h"
#include "charts/geo_nqqp_plt.h"
#include "charts/geo_prop_plt.h"
#include "charts/geo_qqpp_plt.h"
#include "charts/geo_scat_plt.h"
#include "charts/geo_varm_plt.h"
#include "charts/geo_vrg_cld_locm_plt.h"
#include "charts/geo_vrg_cld_plt.h"
#include "interface/dispatch.h"
#include "korvagraph/KorvaGraphLib.h"

using Hist = CGeoHistPlt;
using Prop = CGeoPropPlt;
using Locm = CGeoLocmPlt;
using Nqqp = CGeoNqqpPlt;
using Qqpp = CGeoQqppPlt;
using Scat = CGeoScatPlt;
using Varm = CGeoVarmPlt;
using Cros = CGeoCrosPlt;
using MVarm = CGeoMVarmPlt;
using VrgCld = CGeoVrgCldPlt;
using VrgCldLocm = CGeoVrgCldLocmPlt;

LONG _kvGraphLoadDiscPnts(CKorvaGraph* graph, KvDiscPnt* samples, LONG count) {
  return Dispatch<Hist, Prop, Locm, Nqqp, Qqpp, Scat, VrgCldLocm>(
      graph, [&](auto& chart) { chart.LoadDiscPnts(samples, count); });
}

LONG _kvGraphLoadDiscPnts2(CKorvaGraph* graph, KvDiscPnt* samples, LONG count) {
  return Dispatch<Nqqp, Qqpp, VrgCldLocm>(
      graph, [&](auto& chart) { chart.LoadDiscPnts2(samples, count); });
}

LONG _kvGraphLoadLocPnts(CKorvaGraph* graph, double* x, double* y, LONG count) {
  return Dispatch<VrgCld>(graph,
                          [&](auto& chart) { chart.LoadLocPnts(x, y, count); });
}

LONG _kvGraphSetAxiName(CKorvaGraph* graph, CString x_name, CString y_name) {
  return Dispatch<Hist, Prop, Locm, Nqqp, Qqpp, Scat, Varm, Cros, MVarm,
                  VrgCld>(
      graph, [&](auto& chart) { chart.SetAxiName(x_name, y_name); });
}

LONG _kvGraphSetDataExtr(CKorvaGraph* graph, double minimum, double maximum) {
  return Dispatch<Hist, Prop, Locm, Scat, Nqqp, Qqpp, Cros, VrgCld, VrgCldLocm>(
      graph, [&](auto& chart) { chart.SetDataExtr(minimum, maximum); });
}

LONG _kvGraphSetDataExtr2(CKorvaGraph* graph, double minimum, double maximum) {
  return Dispatch<Nqqp, Qqpp, VrgCld, Scat>(
      graph, [&](auto& chart) { chart.SetDataExtr2(minimum, maximum); });
}

LONG _kvGraphSetCoordExtr(CKorvaGraph* graph, KVD_3DOT minimum,
                          KVD_3DOT maximum) {
  return Dispatch<Locm, VrgCldLocm>(
      graph, [&](auto& chart) { chart.SetCoordExtr(minimum, maximum); });
}

namespace {

// The body of the two exports that accept their arguments and change nothing.
template <typename T>
LONG AcceptAndIgnore(CKorvaGraph* graph, T, T) {
  return graph == nullptr ? kNullHandle : kDone;
}

}  // namespace

LONG _kvGraphSetDataExtrMode(CKorvaGraph* graph, int upper_mode,
                             int lower_mode) {
  return AcceptAndIgnore(graph, upper_mode, lower_mode);
}

LONG _kvGraphSetReplaceData(CKorvaGraph* graph, double upper_value,
                            double lower_value) {
  return AcceptAndIgnore(graph, upper_value, lower_value);
}

// Histogram.

LONG _kvGraphSetHistNum(CKorvaGraph* graph, LONG classes) {
  return Dispatch<Hist>(graph, [&](auto& chart) { chart.SetHistNum(classes); });
}

LONG _kvGraphSetHistType(CKorvaGraph* graph, int kind) {
  return Dispatch<Hist>(graph, [&](auto& chart) { chart.SetHistType(kind); });
}

LONG _kvGraphCptHistParam(CKorvaGraph* graph, LONG& r1, LONG& r2, double& r3,
                          double& r4, double& r5, double& r6, double& r7,
                          double& r8, double& r9, double& r10, double& r11,
                          double& r12) {
  return Dispatch<Hist>(graph, [&](auto& chart) -> LONG {
    return chart.CptHistParam(r1, r2, r3, r4, r5, r6, r7, r8, r9, r10, r11,
                              r12) == 1
               ? kDone
               : -1;
  });
}

LONG _kvGraphOutPutHistPntNum(CKorvaGraph* graph, LONG& count) {
  return Dispatch<Hist>(graph,
                        [&](auto& chart) { chart.OutPutHistPntNum(count); });
}

LONG _kvGraphOutPutHistPnt(CKorvaGraph* graph, double* first, double* second) {
  return Dispatch<Hist>(
      graph, [&](auto& chart) { chart.OutPutHistPnt(first, second); });
}

LONG _kvGraphDrawHistPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Hist>(graph, [&](auto& chart) { chart.DrawHistPlt(window); });
}

// Probability plot.

LONG _kvGraphCptPropParam(CKorvaGraph* graph) {
  return Dispatch<Prop>(graph, [&](auto& chart) { chart.CptPropParam(); });
}

LONG _kvGraphOutPutPropPntNum(CKorvaGraph* graph, LONG& count) {
  return Dispatch<Prop>(graph,
                        [&](auto& chart) { chart.OutPutPropPntNum(count); });
}

LONG _kvGraphOutPutPropPnt(CKorvaGraph* graph, double* positions,
                           double* values, double* value_positions) {
  return Dispatch<Prop>(graph, [&](auto& chart) {
    chart.OutPutPropPnt(positions, values, value_positions);
  });
}

LONG _kvGraphDrawPropPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Prop>(graph, [&](auto& chart) { chart.DrawPropPlt(window); });
}

// Local-mean map.

LONG _kvGraphSetCurPlane(CKorvaGraph* graph, int plane) {
  return Dispatch<Locm>(graph, [&](auto& chart) { chart.SetCurPlane(plane); });
}

LONG _kvGraphCptLocmParam(CKorvaGraph* graph) {
  return Dispatch<Locm>(graph, [&](auto& chart) { chart.CptLocmParam(); });
}

LONG _kvGraphDrawLocmPlt(CKorvaGraph* graph, CWnd* map, CWnd* legend) {
  return Dispatch<Locm>(graph,
                        [&](auto& chart) { chart.DrawLocmPlt(map, legend); });
}

// Normal Q-Q plot.

LONG _kvGraphSetNqqpType(CKorvaGraph* graph, LONG kind) {
  return Dispatch<Nqqp>(graph, [&](auto& chart) { chart.SetNqqpType(kind); });
}

LONG _kvGraphCptNqqpParam(CKorvaGraph* graph) {
  return Dispatch<Nqqp>(graph, [&](auto& chart) { chart.CptNqqpParam(); });
}

LONG _kvGraphOutPutNqqpPntNum(CKorvaGraph* graph, LONG& count) {
  return Dispatch<Nqqp>(graph,
                        [&](auto& chart) { chart.OutPutNqqpPntNum(count); });
}

LONG _kvGraphOutPutNqqpPnt(CKorvaGraph* graph, double* x, double* y) {
  return Dispatch<Nqqp>(graph, [&](auto& chart) { chart.OutPutNqqpPnt(x, y); });
}

LONG _kvGraphDrawNqqpPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Nqqp>(graph, [&](auto& chart) { chart.DrawNqqpPlt(window); });
}

// Q-Q / P-P plot.

LONG _kvGraphSetQqppType(CKorvaGraph* graph, LONG kind) {
  return Dispatch<Qqpp>(graph, [&](auto& chart) { chart.SetQqppType(kind); });
}

LONG _kvGraphCptQqppParam(CKorvaGraph* graph, LONG& count1, double& mean1,
                          double& deviation1, LONG& count2, double& mean2,
                          double& deviation2) {
  return Dispatch<Qqpp>(graph, [&](auto& chart) {
    chart.CptQqppParam(count1, mean1, deviation1, count2, mean2, deviation2);
  });
}

LONG _kvGraphDrawQqppPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Qqpp>(graph, [&](auto& chart) { chart.DrawQqppPlt(window); });
}

// Scatter plot.

LONG _kvGraphCptScatParam(CKorvaGraph* graph, double& r1, LONG& r2, double& r3,
                          double& r4, LONG& r5, double& r6, double& r7,
                          double& r8) {
  return Dispatch<Scat>(graph, [&](auto& chart) {
    chart.CptScatParam(r1, r2, r3, r4, r5, r6, r7, r8);
  });
}

LONG _kvGraphDrawScatPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Scat>(graph, [&](auto& chart) { chart.DrawScatPlt(window); });
}

// Variogram plot.

LONG _kvGraphLoadVarmData(CKorvaGraph* graph, Variogram* entries,
                          ModIndVrg* model, CPoint* positions, int* selected,
                          LONG lag_count, int model_flag) {
  return Dispatch<Varm>(graph, [&](auto& chart) {
    chart.LoadVarmData(entries, model, positions, selected, lag_count,
                       model_flag);
  });
}

LONG _kvGraphSetVrgNug(CKorvaGraph* graph, double nugget) {
  return Dispatch<Varm>(graph, [&](auto& chart) { chart.SetVrgNug(nugget); });
}

LONG _kvGraphSetIsDspLine(CKorvaGraph* graph, int flag) {
  return Dispatch<Varm>(graph, [&](auto& chart) { chart.SetIsDspLine(flag); });
}

LONG _kvGraphSetIsDspSill(CKorvaGraph* graph, int flag, double sill) {
  return Dispatch<Varm>(graph,
                        [&](auto& chart) { chart.SetIsDspSill(flag, sill); });
}

LONG _kvGraphSetCutOffNO(CKorvaGraph* graph, int count, int current) {
  return Dispatch<Varm>(
      graph, [&](auto& chart) { chart.SetCutOffNO(count, current); });
}

LONG _kvGraphSetColor(CKorvaGraph* graph, ULONG point_color,
                      ULONG model_color) {
  return Dispatch<Varm>(
      graph, [&](auto& chart) { chart.SetColor(point_color, model_color); });
}

LONG _kvGraphDrawVarmPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Varm>(graph, [&](auto& chart) { chart.DrawVarmPlt(window); });
}

LONG _kvGraphDrawVrgLine(CKorvaGraph* graph) {
  return Dispatch<Varm>(graph, [&](auto& chart) { chart.DrawVrgLine(); });
}

LONG _kvGraphDrawSelectPoint(CKorvaGraph* graph) {
  return Dispatch<Varm>(graph, [&](auto& chart) { chart.DrawSelectPoint(); });
}

// Multiple-variogram plot.

LONG _kvGraphLoadMVarmData(CKorvaGraph* graph, Variogram** entries,
                           LONG* lag_counts, CPoint** positions, LONG count,
                           int* show_flags, int load_flag) {
  return Dispatch<MVarm>(graph, [&](auto& chart) -> LONG {
    return chart.LoadMVarmData(entries, lag_counts, positions, count,
                               show_flags, load_flag);
  });
}

LONG _kvGraphSetMVrgNug(CKorvaGraph* graph, double nugget) {
  return Dispatch<MVarm>(graph, [&](auto& chart) { chart.SetMVrgNug(nugget); });
}

LONG _kvGraphSetMIsDspLine(CKorvaGraph* graph, int flag) {
  return Dispatch<MVarm>(graph,
                         [&](auto& chart) { chart.SetMIsDspLine(flag); });
}

LONG _kvGraphSetMIsDspSill(CKorvaGraph* graph, int flag, double sill) {
  return Dispatch<MVarm>(graph,
                         [&](auto& chart) { chart.SetMIsDspSill(flag, sill); });
}

LONG _kvGraphSetMCutOffNO(CKorvaGraph* graph, int count, int current) {
  return Dispatch<MVarm>(
      graph, [&](auto& chart) { chart.SetMCutOffNO(count, current); });
}

LONG _kvGraphSetMColor(CKorvaGraph* graph, ULONG* point_colors,
                       ULONG* second_colors) {
  return Dispatch<MVarm>(graph, [&](auto& chart) {
    chart.SetMColor(point_colors, second_colors);
  });
}

LONG _kvGraphDrawMVarmPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<MVarm>(graph,
                         [&](auto& chart) { chart.DrawMVarmPlt(window); });
}

LONG _kvGraphDrawMVrgLine(CKorvaGraph* graph) {
  return Dispatch<MVarm>(graph, [&](auto& chart) { chart.DrawMVrgLine(); });
}

LONG _kvGraphDrawMSelectPoint(CKorvaGraph* graph) {
  return Dispatch<MVarm>(graph, [](auto&) {});
}

// Cross plot.

LONG _kvGraphLoadCrosData(CKorvaGraph* graph, double* x, double* y,
                          LONG count) {
  return Dispatch<Cros>(graph,
                        [&](auto& chart) { chart.LoadCrosData(x, y, count); });
}

LONG _kvGraphSetFitLine(CKorvaGraph* graph, double slope, double intercept) {
  return Dispatch<Cros>(
      graph, [&](auto& chart) { chart.SetFitLine(slope, intercept); });
}

LONG _kvGraphDrawCrosPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<Cros>(graph, [&](auto& chart) { chart.DrawCrosPlt(window); });
}

// Variogram cloud and its location map.

LONG _kvLoadVrgCldSelInfo(CKorvaGraph* graph, LONG* selected, LONG count) {
  return Dispatch<VrgCld>(
      graph, [&](auto& chart) { chart.LoadVrgCldSelInfo(selected, count); });
}

LONG _kvGraphDrawVrgCldPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<VrgCld>(graph,
                          [&](auto& chart) { chart.DrawVrgCldPlt(window); });
}

LONG _kvGraphWorldtoScreen(CKorvaGraph* graph, double x, double y, int& sx,
                           int& sy) {
  return Dispatch<VrgCld>(
      graph, [&](auto& chart) { chart.WorldtoScreen(x, y, sx, sy); });
}

LONG _kvLoadVrgCldLocSelInfo(CKorvaGraph* graph, KVL_DOT* pairs, LONG count) {
  return Dispatch<VrgCldLocm>(
      graph, [&](auto& chart) { chart.LoadVrgCldLocSelInfo(pairs, count); });
}

LONG _kvGraphDrawVrgCldLocmPlt(CKorvaGraph* graph, CWnd* window) {
  return Dispatch<VrgCldLocm>(
      graph, [&](auto& chart) { chart.DrawVrgCldLocmPlt(window); });
}
