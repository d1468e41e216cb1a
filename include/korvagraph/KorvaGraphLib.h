// KorvaGraphLib: the charts of a spatial-statistics workbench, drawn into a
// host's windows, and the computations they need. This header owns the
// graph-object base class, the chart types and every export; the boundary
// records are in korvagraph/records.h, which it includes.
//
// A host creates one graph object per chart with _kvCreateKvGraphObj, hands
// it data through the loaders and setters, asks it to compute and to draw
// into a window (korvagraph/canvas_window.h), and deletes it with
// _kvDeleteKvGraphObj. The object belongs to the host until then.
//
// Linking: the windows (CanvasWindow) live in a second library, libkvplatform,
// the drawing platform both the charts and the host use. A plain compiler
// line names both:  c++ host.cpp -lKorvaGraphLib -lkvplatform
// (pkg-config's korvagraphlib and CMake's KorvaGraph::KorvaGraphLib add both).
//
// Status: every export with a graph handle returns -1 for a null handle
// (and does nothing else); otherwise 1 unless its comment says more. An
// export that does not serve the handle's chart type does nothing and
// returns 1.
//
// Arrays: every array handed to a loader or setter is referenced, never
// copied: the host keeps it alive until the object is deleted or the same
// export is called again. Besides the output arguments of the compute and
// output exports, the library writes into host arrays in four places only:
// the normal Q-Q compute step (scores into the host's samples), the two
// variogram charts (pixel positions into the host's CPoint arrays; the
// variogram chart also sets negative model values it draws to 0) and the
// two transforms (sample values in place).
//
// What the host computes itself: data windows, histogram class counts,
// experimental variograms (Variogram rows), the variogram cloud's points
// (pair distances and semivariances) and which of them are selected, the
// sample pairs of the cloud's location map, and the cross plot's fit line.
// The library computes the statistics each compute step returns and the
// model curve (_kvCptVModel).
//
// Threads: none. Call every export on the thread that owns the windows; a
// graph object must not be used from two threads at once.
#ifndef KORVAGRAPH_KORVAGRAPHLIB_H_
#define KORVAGRAPH_KORVAGRAPHLIB_H_

#include <cstdint>

#include "korvagraph/cpoint.h"
#include "korvagraph/cstring.h"
#include "korvagraph/records.h"
#include "korvagraph/win_types.h"

#define KG_EXPORT __attribute__((visibility("default")))

// ---- Chart types and what a host must know of their pictures.
//
// The type codes of _kvCreateKvGraphObj (0 makes a bare object that serves
// no export): code, constant, chart, plot margins left, top, right, bottom
// in pixels, then the exports the chart serves beside the shared ones
// (_kvGraph left out of their names). The plot rectangle is the client area
// less the margins; a bottom marked /W is client height * that / client
// width (integer division).
//
//   1 kKvHistogram          histogram or cumulative curve   35 8 8 50/W
//       SetHistNum SetHistType CptHistParam OutPutHistPntNum OutPutHistPnt
//       DrawHistPlt
//   2 kKvProbability        probability plot                35 8 8 50/W
//       CptPropParam OutPutPropPntNum OutPutPropPnt DrawPropPlt
//   3 kKvLocalMeanMap       local-mean map and its legend   50 15 10 25
//       SetCoordExtr SetCurPlane CptLocmParam DrawLocmPlt
//   4 kKvNormalQq           normal Q-Q plot                 35 8 8 35/W
//       LoadDiscPnts2 SetDataExtr2 SetNqqpType CptNqqpParam
//       OutPutNqqpPntNum OutPutNqqpPnt DrawNqqpPlt
//   5 kKvQqPp               Q-Q / P-P plot                  35 8 8 35/W
//       LoadDiscPnts2 SetDataExtr2 SetQqppType CptQqppParam DrawQqppPlt
//   6 kKvScatter            scatter plot                    35 8 8 35/W
//       SetDataExtr2 CptScatParam DrawScatPlt
//   7 kKvVariogram          variogram plot                  45 8 8 45/W
//       LoadVarmData SetVrgNug SetIsDspLine SetIsDspSill SetCutOffNO
//       SetColor DrawVarmPlt DrawVrgLine DrawSelectPoint
//   8 kKvCrossPlot          cross plot                      35 8 8 35/W
//       LoadCrosData SetFitLine DrawCrosPlt
//   9 kKvMultipleVariogram  several variograms on one plot  45 8 8 55/W
//       LoadMVarmData SetMVrgNug SetMIsDspLine SetMIsDspSill SetMCutOffNO
//       SetMColor DrawMVarmPlt DrawMVrgLine DrawMSelectPoint
//  10 kKvVariogramCloud     variogram cloud                 45 8 8 85/W
//       LoadLocPnts SetDataExtr2 _kvLoadVrgCldSelInfo DrawVrgCldPlt
//       WorldtoScreen
//  11 kKvCloudLocationMap   the cloud's pairs on the map    10 5 0 10
//       LoadDiscPnts2 SetCoordExtr _kvLoadVrgCldLocSelInfo DrawVrgCldLocmPlt
//
// Shared: LoadDiscPnts (1 to 6, 11), SetDataExtr (all but 7 and 9),
// SetAxiName (1 to 10), SetDataExtrMode and SetReplaceData (no effect).
//
// The smallest useful window: a chart draws only when its plot rectangle has
// a positive width and height; otherwise a draw only repaints the window
// (the host's background). So the client area must be wider than left +
// right and, for a /W bottom, wider than its factor (the histogram needs
// more than 50 pixels), and higher than top + bottom. The tick labels and
// titles stand in the margins: below about 200 x 150 pixels they crowd
// each other.
enum KvGraphType : LONG {
  kKvHistogram = 1,
  kKvProbability = 2,
  kKvLocalMeanMap = 3,
  kKvNormalQq = 4,
  kKvQqPp = 5,
  kKvScatter = 6,
  kKvVariogram = 7,
  kKvCrossPlot = 8,
  kKvMultipleVariogram = 9,
  kKvVariogramCloud = 10,
  kKvCloudLocationMap = 11,
};

// The variogram charts (7, 9) draw and scale over the entries with at least
// this many pairs and skip the others.
constexpr LONG kKvMinVariogramPairs = 30;

// The variogram, multiple-variogram and cloud charts' plot corner in client
// pixels: the point positions the variogram charts write and the cloud's
// _kvGraphWorldtoScreen are relative to it. Their right margin, and their
// bottom margins per pixel of height over width (as in the table).
constexpr int kKvVariogramPlotLeft = 45;
constexpr int kKvVariogramPlotTop = 8;
constexpr int kKvVariogramPlotRight = 8;
constexpr int kKvVariogramPlotBottom = 45;
constexpr int kKvMultipleVariogramPlotBottom = 55;
constexpr int kKvVariogramCloudPlotBottom = 85;

// The histogram's and probability plot's bottom margin, pixels per pixel of
// height over width, and the depth their horizontal axis title needs below
// the plot (its top 20 pixels below the axis, 15 pixels high): the title is
// cut off unless client height * kKvTitledAxisMargin / client width is at
// least kKvTitledAxisDepth, that is unless the window is at most about
// 1.4 times as wide as it is high.
constexpr int kKvTitledAxisMargin = 50;
constexpr int kKvTitledAxisDepth = 35;

// The base of every graph object: a type code (KvGraphType, or 0) and a
// virtual destructor.
class KG_EXPORT CKorvaGraph {
 public:
  CKorvaGraph() = default;
  CKorvaGraph(const CKorvaGraph&) = delete;
  CKorvaGraph& operator=(const CKorvaGraph&) = delete;
  virtual ~CKorvaGraph();

  void SetType(LONG type) { type_ = type; }
  LONG GetType() const { return type_; }

 private:
  LONG type_ = 0;
};

// ---- Object life.

// Returns a new graph object of the type code above, or null for a code
// outside 0 to 11 or when memory is exhausted.
KG_EXPORT CKorvaGraph* _kvCreateKvGraphObj(LONG type);
// Deletes a graph object (its own result arrays with it); null is ignored.
KG_EXPORT void _kvDeleteKvGraphObj(CKorvaGraph* graph);

// ---- Loaders and setters shared by several chart types.

// The primary samples (types 1, 2, 3, 4, 5, 6, 11). For the normal Q-Q plot
// (4) these are the score records: its compute step writes the normal
// scores into their values.
KG_EXPORT LONG _kvGraphLoadDiscPnts(CKorvaGraph* graph, KvDiscPnt* samples,
                                    LONG count);
// The second sample set (types 4, 5, 11): the sample under study of the
// normal Q-Q plot, the second sample of the Q-Q plot, the samples the
// location map's pair numbers' second index refers to.
KG_EXPORT LONG _kvGraphLoadDiscPnts2(CKorvaGraph* graph, KvDiscPnt* samples,
                                     LONG count);
// The variogram cloud's points (type 10): x[i] the distance of pair i, y[i]
// its semivariance (half the squared difference), both count long.
KG_EXPORT LONG _kvGraphLoadLocPnts(CKorvaGraph* graph, double* x, double* y,
                                   LONG count);
// Copies the horizontal and vertical axis names (types 1 to 10; the
// local-mean map keeps them without drawing them; 11 ignores them).
// A name of any length is copied and drawn on one line: nothing wraps or
// shortens it, and what runs past the window's edge is cut off. What shows
// in full, at about 7 pixels a character (5.5 in the variogram charts):
//   X name: types 4, 5, 6 and 8 centre it on the axis's right end, 8 pixels
//   from the window's edge, so only about 2 characters fit; types 1, 2, 7,
//   9 and 10 centre "name, 10" below the plot: about plot width / 7
//   characters, less the 4 of ", 10".
//   Y name: right-aligned left of the plot, in the left margin: about 4
//   characters in types 1, 4, 5, 6 and 8, 2 in types 7, 9 and 10; type 2
//   draws none.
KG_EXPORT LONG _kvGraphSetAxiName(CKorvaGraph* graph, CString x_name,
                                  CString y_name);
// The data window: values outside [minimum, maximum] take no part; -1e21 and
// 1e21 leave a side open. Types 1, 2, 3, 6 (scatter: the horizontal
// window), 4 (overwritten by the score range at each compute step), 5 (the
// first sample's window), 8 (the cross plot's common axis range), 10 (the
// cloud's distance window), 11 (the attribute window). 7 and 9 ignore it.
KG_EXPORT LONG _kvGraphSetDataExtr(CKorvaGraph* graph, double minimum,
                                   double maximum);
// The second data window: type 4 the window of the sample under study's
// values, 5 the second sample's window, 6 the scatter plot's vertical
// window, 10 the cloud's semivariance window. Others ignore it.
KG_EXPORT LONG _kvGraphSetDataExtr2(CKorvaGraph* graph, double minimum,
                                    double maximum);
// The coordinate box of a map (types 3 and 11): minimum corner, maximum
// corner.
KG_EXPORT LONG _kvGraphSetCoordExtr(CKorvaGraph* graph, KVD_3DOT minimum,
                                    KVD_3DOT maximum);
// No effect on any chart; kept for hosts that call them.
KG_EXPORT LONG _kvGraphSetDataExtrMode(CKorvaGraph* graph, int upper_mode,
                                       int lower_mode);
KG_EXPORT LONG _kvGraphSetReplaceData(CKorvaGraph* graph, double upper_value,
                                      double lower_value);

// ---- Histogram (type 1): samples, data window, classes, kind, compute,
// draw. The values inside the data window take part.

// Number of equal classes over the data window (the frequency kind).
KG_EXPORT LONG _kvGraphSetHistNum(CKorvaGraph* graph, LONG classes);
// 0: frequency histogram; any other value: cumulative curve.
KG_EXPORT LONG _kvGraphSetHistType(CKorvaGraph* graph, int kind);
// Computes the histogram of the n values inside the data window and writes:
//   r1  n, the number of values taken           r2  number left out
//   r3  mean                                     r4  standard deviation
//   r5  maximum                                      (divisor n)
//   r6  upper quartile    r7  median             r8  lower quartile
//   r9  minimum           r10 coefficient of variation (deviation / mean,
//                             0 for mean 0)
//   r11 kurtosis (excess: m4 / m2^2 - 3)         r12 skewness (m3 / m2^1.5)
// Values are in the samples' units (r10 to r12 have none). Returns -1 when
// there are no samples, the window's maximum is not above its minimum, or
// no value lies inside it; nothing can be drawn or read until a compute
// step succeeds.
KG_EXPORT LONG _kvGraphCptHistParam(CKorvaGraph* graph, LONG& r1, LONG& r2,
                                    double& r3, double& r4, double& r5,
                                    double& r6, double& r7, double& r8,
                                    double& r9, double& r10, double& r11,
                                    double& r12);
// Writes the number of output points: the class count (frequency kind), or
// the number of curve points (cumulative kind: n, at most 10000).
KG_EXPORT LONG _kvGraphOutPutHistPntNum(CKorvaGraph* graph, LONG& count);
// Writes the output points into two host arrays of that count. Frequency
// kind: first = class midpoints, second = fraction of the values in each
// class. Cumulative kind: first = cumulative probabilities (i + 0.5) / count,
// second = the values at them, ascending.
KG_EXPORT LONG _kvGraphOutPutHistPnt(CKorvaGraph* graph, double* first,
                                     double* second);
KG_EXPORT LONG _kvGraphDrawHistPlt(CKorvaGraph* graph, CWnd* window);

// ---- Probability plot (type 2): samples, data window, compute, draw.

// Computes the plotting positions of the values inside the data window: the
// normal quantile of (i - 0.5) / n for the i-th smallest of n values.
KG_EXPORT LONG _kvGraphCptPropParam(CKorvaGraph* graph);
// Writes the number of plotted values.
KG_EXPORT LONG _kvGraphOutPutPropPntNum(CKorvaGraph* graph, LONG& count);
// Writes positions[0..20]: the vertical position (standard normal quantile)
// of each of the 21 probability-axis lines; then, for each plotted value i,
// values[i] its value (ascending) and value_positions[i] its normal
// quantile. The host sizes values and value_positions by the count.
KG_EXPORT LONG _kvGraphOutPutPropPnt(CKorvaGraph* graph, double* positions,
                                     double* values, double* value_positions);
KG_EXPORT LONG _kvGraphDrawPropPlt(CKorvaGraph* graph, CWnd* window);

// ---- Local-mean map (type 3): samples, attribute window (data window),
// coordinate box, plane, compute, draw. Each sample is a dot coloured from
// blue (lowest value) to red (highest); samples outside the attribute
// window are not drawn.

// 0: x-y plane, 1: y-z plane, 2: x-z plane; any other value draws nothing.
KG_EXPORT LONG _kvGraphSetCurPlane(CKorvaGraph* graph, int plane);
// Builds the colour table and the colour scale of the attribute window.
KG_EXPORT LONG _kvGraphCptLocmParam(CKorvaGraph* graph);
// Draws the map into map and the colour legend (red at the top) into legend.
KG_EXPORT LONG _kvGraphDrawLocmPlt(CKorvaGraph* graph, CWnd* map, CWnd* legend);

// ---- Normal Q-Q plot (type 4): score records (LoadDiscPnts), the sample
// under study (LoadDiscPnts2) with its window (SetDataExtr2), selector,
// compute, read back, draw.

// 0: quantile form (normal scores against values); any other value:
// probability form (both axes 0 to 1).
KG_EXPORT LONG _kvGraphSetNqqpType(CKorvaGraph* graph, LONG kind);
// Computes the normal score of each value of the sample under study and
// writes it into the value field of the score record of the same index (the
// host gives at least as many score records; -999.0 for a value without a
// score; no other field is touched), then pairs scores and values.
KG_EXPORT LONG _kvGraphCptNqqpParam(CKorvaGraph* graph);
// Writes the number of pairs.
KG_EXPORT LONG _kvGraphOutPutNqqpPntNum(CKorvaGraph* graph, LONG& count);
// Writes the pairs: quantile form x = normal score, y = value; probability
// form x, y = the two cumulative probabilities.
KG_EXPORT LONG _kvGraphOutPutNqqpPnt(CKorvaGraph* graph, double* x, double* y);
KG_EXPORT LONG _kvGraphDrawNqqpPlt(CKorvaGraph* graph, CWnd* window);

// ---- Q-Q / P-P plot (type 5): first sample (LoadDiscPnts, SetDataExtr),
// second sample (LoadDiscPnts2, SetDataExtr2), selector, compute, draw.

// 0: Q-Q (quantiles of the first sample against the second); any other
// value: P-P (both axes cumulative probabilities 0 to 1).
KG_EXPORT LONG _kvGraphSetQqppType(CKorvaGraph* graph, LONG kind);
// Forms the pairs and writes, for each sample, the number of its values
// inside its window, their mean and their standard deviation (divisor n),
// in the samples' units.
KG_EXPORT LONG _kvGraphCptQqppParam(CKorvaGraph* graph, LONG& count1,
                                    double& mean1, double& deviation1,
                                    LONG& count2, double& mean2,
                                    double& deviation2);
KG_EXPORT LONG _kvGraphDrawQqppPlt(CKorvaGraph* graph, CWnd* window);

// ---- Scatter plot (type 6): samples (value against value2), horizontal
// window (SetDataExtr), vertical window (SetDataExtr2), compute, draw.

// Writes:
//   r1 correlation coefficient of the pairs with both values inside their
//      windows (0 for fewer than two pairs or no variance)
//   r2 number of values inside the horizontal window
//   r3 their mean          r4 their standard deviation (divisor n)
//   r5 number of values2 inside the vertical window
//   r6 their mean          r7 their standard deviation (divisor n)
//   r8 rank (Spearman) correlation of the same pairs as r1
KG_EXPORT LONG _kvGraphCptScatParam(CKorvaGraph* graph, double& r1, LONG& r2,
                                    double& r3, double& r4, LONG& r5,
                                    double& r6, double& r7, double& r8);
KG_EXPORT LONG _kvGraphDrawScatPlt(CKorvaGraph* graph, CWnd* window);

// ---- Variogram plot (type 7): one experimental variogram per cut-off row
// (Variogram above), its model curve, sill, draw; then, for interaction,
// the connecting line and the selection highlight.

// entries: cut-off count rows of lag_count + 2 entries each. model: at least
// 2 * lag_count + 3 records (as _kvCptVModel fills them); drawn only when
// model_flag is 1, and the chart writes 0 over the negative values it draws.
// positions: indexed like entries; every full draw writes the pixel
// position of each point it draws, relative to the plot's top-left corner
// (kKvVariogramPlotLeft, kKvVariogramPlotTop) in the window. selected:
// indexed like entries, non-zero = selected; only read.
KG_EXPORT LONG _kvGraphLoadVarmData(CKorvaGraph* graph, Variogram* entries,
                                    ModIndVrg* model, CPoint* positions,
                                    int* selected, LONG lag_count,
                                    int model_flag);
// Stored with the chart; no drawing reads it. It keeps the calls of hosts
// written for the original library working: the nugget a host fits shows
// through the model curve it loads (_kvCptVModel), not through this value.
KG_EXPORT LONG _kvGraphSetVrgNug(CKorvaGraph* graph, double nugget);
// Non-zero: every full draw joins the unselected points of the current row.
KG_EXPORT LONG _kvGraphSetIsDspLine(CKorvaGraph* graph, int flag);
// flag 1: draw a sill line at sill (semivariance units) and keep it inside
// the vertical axis.
KG_EXPORT LONG _kvGraphSetIsDspSill(CKorvaGraph* graph, int flag, double sill);
// count: the number of rows in entries (the axes span all of them);
// current: the 0-based row drawn.
KG_EXPORT LONG _kvGraphSetCutOffNO(CKorvaGraph* graph, int count, int current);
// Colours 0x00BBGGRR of the points and line (default blue) and of the
// model curve (default red).
KG_EXPORT LONG _kvGraphSetColor(CKorvaGraph* graph, ULONG point_color,
                                ULONG model_color);
KG_EXPORT LONG _kvGraphDrawVarmPlt(CKorvaGraph* graph, CWnd* window);
// Draws, over the last full draw, the line joining the unselected points of
// the current row at their recorded positions.
KG_EXPORT LONG _kvGraphDrawVrgLine(CKorvaGraph* graph);
// Marks the selected entries of the current row with red crosses at their
// recorded positions.
KG_EXPORT LONG _kvGraphDrawSelectPoint(CKorvaGraph* graph);

// ---- Multiple-variogram plot (type 9): up to 20 variograms on one pair of
// axes, each in its own colour; no model curve.

// entries[i]: variogram i's rows (lag_counts[i] + 2 entries each, laid out
// as above); positions[i]: its point-position array, written like the
// variogram plot's; show_flags[i]: non-zero shows variogram i (hidden ones
// still widen the axes); count: the number of variograms, at most 20;
// load_flag 1 draws the sill line. Stops at the first null entries[i] or
// positions[i]: then returns 1 if one of show_flags[0..i-1] is 1, else -1,
// and keeps the previous count. Otherwise returns 1.
// The sill line: load_flag 1 and a non-zero flag of _kvGraphSetMIsDspSill
// each draw it, at the sill value of _kvGraphSetMIsDspSill (0 until that is
// called), from lag 0 to the largest lag; with both it is drawn twice, over
// itself. Only _kvGraphSetMIsDspSill's flag 1 raises the vertical axis to
// the sill. A host that sets the sill should pass load_flag 0 and let
// _kvGraphSetMIsDspSill control the line alone.
KG_EXPORT LONG _kvGraphLoadMVarmData(CKorvaGraph* graph, Variogram** entries,
                                     LONG* lag_counts, CPoint** positions,
                                     LONG count, int* show_flags,
                                     int load_flag);
// Stored with the chart; no drawing reads it (as _kvGraphSetVrgNug).
KG_EXPORT LONG _kvGraphSetMVrgNug(CKorvaGraph* graph, double nugget);
// Non-zero: join each shown variogram's points of the current row.
KG_EXPORT LONG _kvGraphSetMIsDspLine(CKorvaGraph* graph, int flag);
// Non-zero: draw a sill line at sill; 1 also keeps it inside the axis. The
// sill value also places the line that load_flag 1 draws (see above).
KG_EXPORT LONG _kvGraphSetMIsDspSill(CKorvaGraph* graph, int flag, double sill);
// count: rows per variogram; current: the 0-based row drawn.
KG_EXPORT LONG _kvGraphSetMCutOffNO(CKorvaGraph* graph, int count, int current);
// point_colors[i] colours variogram i (nothing is drawn until it is set);
// second_colors is kept but not used. Both referenced.
KG_EXPORT LONG _kvGraphSetMColor(CKorvaGraph* graph, ULONG* point_colors,
                                 ULONG* second_colors);
KG_EXPORT LONG _kvGraphDrawMVarmPlt(CKorvaGraph* graph, CWnd* window);
// Draws, over the last full draw, each shown variogram's connecting line.
KG_EXPORT LONG _kvGraphDrawMVrgLine(CKorvaGraph* graph);
// No effect.
KG_EXPORT LONG _kvGraphDrawMSelectPoint(CKorvaGraph* graph);

// ---- Cross plot (type 8): x against y with the host's fit line; both
// axes span the data window (SetDataExtr).

KG_EXPORT LONG _kvGraphLoadCrosData(CKorvaGraph* graph, double* x, double* y,
                                    LONG count);
// The fitted line y = slope * x + intercept, computed by the host (least
// squares, for example).
KG_EXPORT LONG _kvGraphSetFitLine(CKorvaGraph* graph, double slope,
                                  double intercept);
KG_EXPORT LONG _kvGraphDrawCrosPlt(CKorvaGraph* graph, CWnd* window);

// ---- Variogram cloud (type 10): points (LoadLocPnts), distance window
// (SetDataExtr), semivariance window (SetDataExtr2), selection, draw.

// 0-based numbers of the selected points, painted again in cyan by the next
// full draw. Referenced.
KG_EXPORT LONG _kvLoadVrgCldSelInfo(CKorvaGraph* graph, LONG* selected,
                                    LONG count);
KG_EXPORT LONG _kvGraphDrawVrgCldPlt(CKorvaGraph* graph, CWnd* window);
// Writes the pixel position of data point (x, y) under the last full draw's
// mapping, relative to the plot's top-left corner (kKvVariogramPlotLeft,
// kKvVariogramPlotTop) in the window.
KG_EXPORT LONG _kvGraphWorldtoScreen(CKorvaGraph* graph, double x, double y,
                                     int& sx, int& sy);

// ---- Variogram-cloud location map (type 11): samples (LoadDiscPnts,
// optionally LoadDiscPnts2), attribute window (SetDataExtr), coordinate box
// (SetCoordExtr), selected pairs, draw. Pairs are linked in cyan.

KG_EXPORT LONG _kvLoadVrgCldLocSelInfo(CKorvaGraph* graph, KVL_DOT* pairs,
                                       LONG count);
KG_EXPORT LONG _kvGraphDrawVrgCldLocmPlt(CKorvaGraph* graph, CWnd* window);

// ---- Computations without a graph object. Each returns 1.

// Writes into each sample's value its normal score: G^-1((r - 0.5) / n) for
// rank r among the n values inside [minimum, maximum] (note: maximum first),
// ties sharing their average rank; -999.0 for values outside. Writes the
// largest and smallest score (-999.0 when there is none).
KG_EXPORT LONG _kvTranNcore(KvDiscPnt* samples, LONG count, double maximum,
                            double minimum, double& score_max,
                            double& score_min);
// Writes into each sample's value ln(value + shift) for values inside
// [minimum, maximum] (maximum first), -2.2 where value + shift < 0.01, and
// -999.0 for values outside. Writes the largest and smallest transformed
// value (both 0 when no value is inside).
KG_EXPORT LONG _kvTranLog(KvDiscPnt* samples, LONG count, double maximum,
                          double minimum, double shift, double& log_max,
                          double& log_min);
// Evaluates the model along the direction p4[0] / p5[0] for an experimental
// variogram of lag_count lags spaced lag apart: writes 2 * lag_count + 4
// records into curve (the host gives that many): record 0 at lag 0 with the
// nugget, record 1 at lag 1e-4 * lag / 2, record k at (k - 1) * lag / 2.
// kind 0: the values are semivariances (use this); kind 1: covariances
// turned into semivariances (nugget + contributions - value); other kinds
// keep the raw values. Minor and vertical ranges of 0 (p2, p3) mean "as the
// major range": a structure with both 0 is isotropic (see Kt3dIntp).
KG_EXPORT LONG _kvCptVModel(Kt3dIntp model, double lag, int lag_count, int kind,
                            ModIndVrg* curve);

#endif  // KORVAGRAPH_KORVAGRAPHLIB_H_
