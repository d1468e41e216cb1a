// KorvaGraphLib: the charts of a spatial-statistics workbench, drawn into a
// host's windows, and the computations they need.
//
// A host creates one graph object per chart with _kvCreateKvGraphObj, hands
// it data through the loaders and setters (arrays are referenced, never
// copied: the host keeps them alive), asks it to compute and to draw, and
// deletes it with _kvDeleteKvGraphObj. Every export with a graph handle
// returns -1 for a null handle and otherwise 1 unless documented otherwise;
// an export that does not serve the handle's chart type does nothing.
#ifndef KORVAGRAPHLIB_H_
#define KORVAGRAPHLIB_H_

#include <cstddef>
#include <cstdint>

#include "platform/cpoint.h"
#include "platform/cstring.h"
#include "platform/user32.h"
#include "platform/win_types.h"

#define KG_EXPORT __attribute__((visibility("default")))

// One sample: coordinates and two attribute values (88 bytes).
struct KvDiscPnt {
  double x;
  double y;
  double z;
  double value;   // the attribute the one-variable charts and transforms use
  double value2;  // the scatter plot's second attribute
  double unused[6];
};

// One entry of an experimental variogram (64 bytes).
struct Variogram {
  double unused0;
  double h;      // lag distance
  double gamma;  // semivariance
  LONG npairs;   // number of sample pairs; charts skip entries below 30
  LONG unused1;
  double unused2[4];
};

// One point of a variogram model curve (48 bytes).
struct ModIndVrg {
  double unused0;
  double h;      // lag distance
  double value;  // model semivariance at h
  double unused1[3];
};

// A point in space (24 bytes).
struct KVD_3DOT {
  double x;
  double y;
  double z;
};

// A pair of sample numbers (8 bytes).
struct KVL_DOT {
  LONG first;
  LONG second;
};

// A nested variogram model of up to 20 structures (1216 bytes).
struct Kt3dIntp {
  LONG nst;  // number of structures, 0 to 20
  LONG padding;
  double nugget;
  double cc[20];  // contribution of each structure
  LONG it[20];    // type code of each structure
  double p1[20];  // ranges along the major, minor and vertical axes
  double p2[20];
  double p3[20];
  double p4[20];  // p4[0]: azimuth of the direction of evaluation
  double p5[20];  // p5[0]: dip of that direction
  double p6[20];
};

static_assert(sizeof(KvDiscPnt) == 88, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, x) == 0, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, y) == 8, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, z) == 16, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, value) == 24, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, value2) == 32, "KvDiscPnt layout");
static_assert(sizeof(Variogram) == 64, "Variogram layout");
static_assert(offsetof(Variogram, h) == 8, "Variogram layout");
static_assert(offsetof(Variogram, gamma) == 16, "Variogram layout");
static_assert(offsetof(Variogram, npairs) == 24, "Variogram layout");
static_assert(sizeof(ModIndVrg) == 48, "ModIndVrg layout");
static_assert(offsetof(ModIndVrg, h) == 8, "ModIndVrg layout");
static_assert(offsetof(ModIndVrg, value) == 16, "ModIndVrg layout");
static_assert(sizeof(KVD_3DOT) == 24, "KVD_3DOT layout");
static_assert(offsetof(KVD_3DOT, z) == 16, "KVD_3DOT layout");
static_assert(sizeof(KVL_DOT) == 8, "KVL_DOT layout");
static_assert(offsetof(KVL_DOT, second) == 4, "KVL_DOT layout");
static_assert(sizeof(Kt3dIntp) == 1216, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, nugget) == 8, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, cc) == 16, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, it) == 176, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p1) == 256, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p2) == 416, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p3) == 576, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p4) == 736, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p5) == 896, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p6) == 1056, "Kt3dIntp layout");

// The base of every graph object: a type code and a virtual destructor.
// Type codes: 0 bare object, 1 histogram, 2 probability plot, 3 local-mean
// map, 4 normal Q-Q, 5 Q-Q / P-P, 6 scatter, 7 variogram, 8 cross plot,
// 9 multiple variograms, 10 variogram cloud, 11 variogram-cloud location map.
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

// Object life.
KG_EXPORT CKorvaGraph* _kvCreateKvGraphObj(LONG type);
KG_EXPORT void _kvDeleteKvGraphObj(CKorvaGraph* graph);

// Loaders and setters shared by several chart types.
KG_EXPORT LONG _kvGraphLoadDiscPnts(CKorvaGraph* graph, KvDiscPnt* samples,
                                    LONG count);
KG_EXPORT LONG _kvGraphLoadDiscPnts2(CKorvaGraph* graph, KvDiscPnt* samples,
                                     LONG count);
KG_EXPORT LONG _kvGraphLoadLocPnts(CKorvaGraph* graph, double* x, double* y,
                                   LONG count);
KG_EXPORT LONG _kvGraphSetAxiName(CKorvaGraph* graph, CString x_name,
                                  CString y_name);
KG_EXPORT LONG _kvGraphSetDataExtr(CKorvaGraph* graph, double minimum,
                                   double maximum);
KG_EXPORT LONG _kvGraphSetDataExtr2(CKorvaGraph* graph, double minimum,
                                    double maximum);
KG_EXPORT LONG _kvGraphSetCoordExtr(CKorvaGraph* graph, KVD_3DOT minimum,
                                    KVD_3DOT maximum);
KG_EXPORT LONG _kvGraphSetDataExtrMode(CKorvaGraph* graph, int upper_mode,
                                       int lower_mode);
KG_EXPORT LONG _kvGraphSetReplaceData(CKorvaGraph* graph, double upper_value,
                                      double lower_value);

// Histogram (type 1).
KG_EXPORT LONG _kvGraphSetHistNum(CKorvaGraph* graph, LONG classes);
KG_EXPORT LONG _kvGraphSetHistType(CKorvaGraph* graph, int kind);
KG_EXPORT LONG _kvGraphCptHistParam(CKorvaGraph* graph, LONG& r1, LONG& r2,
                                    double& r3, double& r4, double& r5,
                                    double& r6, double& r7, double& r8,
                                    double& r9, double& r10, double& r11,
                                    double& r12);
KG_EXPORT LONG _kvGraphOutPutHistPntNum(CKorvaGraph* graph, LONG& count);
KG_EXPORT LONG _kvGraphOutPutHistPnt(CKorvaGraph* graph, double* first,
                                     double* second);
KG_EXPORT LONG _kvGraphDrawHistPlt(CKorvaGraph* graph, CWnd* window);

// Probability plot (type 2).
KG_EXPORT LONG _kvGraphCptPropParam(CKorvaGraph* graph);
KG_EXPORT LONG _kvGraphOutPutPropPntNum(CKorvaGraph* graph, LONG& count);
KG_EXPORT LONG _kvGraphOutPutPropPnt(CKorvaGraph* graph, double* positions,
                                     double* values, double* value_positions);
KG_EXPORT LONG _kvGraphDrawPropPlt(CKorvaGraph* graph, CWnd* window);

// Local-mean map (type 3).
KG_EXPORT LONG _kvGraphSetCurPlane(CKorvaGraph* graph, int plane);
KG_EXPORT LONG _kvGraphCptLocmParam(CKorvaGraph* graph);
KG_EXPORT LONG _kvGraphDrawLocmPlt(CKorvaGraph* graph, CWnd* map, CWnd* legend);

// Normal Q-Q plot (type 4).
KG_EXPORT LONG _kvGraphSetNqqpType(CKorvaGraph* graph, LONG kind);
KG_EXPORT LONG _kvGraphCptNqqpParam(CKorvaGraph* graph);
KG_EXPORT LONG _kvGraphOutPutNqqpPntNum(CKorvaGraph* graph, LONG& count);
KG_EXPORT LONG _kvGraphOutPutNqqpPnt(CKorvaGraph* graph, double* x, double* y);
KG_EXPORT LONG _kvGraphDrawNqqpPlt(CKorvaGraph* graph, CWnd* window);

// Q-Q / P-P plot (type 5).
KG_EXPORT LONG _kvGraphSetQqppType(CKorvaGraph* graph, LONG kind);
KG_EXPORT LONG _kvGraphCptQqppParam(CKorvaGraph* graph, LONG& count1,
                                    double& mean1, double& deviation1,
                                    LONG& count2, double& mean2,
                                    double& deviation2);
KG_EXPORT LONG _kvGraphDrawQqppPlt(CKorvaGraph* graph, CWnd* window);

// Scatter plot (type 6).
KG_EXPORT LONG _kvGraphCptScatParam(CKorvaGraph* graph, double& r1, LONG& r2,
                                    double& r3, double& r4, LONG& r5,
                                    double& r6, double& r7, double& r8);
KG_EXPORT LONG _kvGraphDrawScatPlt(CKorvaGraph* graph, CWnd* window);

// Variogram plot (type 7).
KG_EXPORT LONG _kvGraphLoadVarmData(CKorvaGraph* graph, Variogram* entries,
                                    ModIndVrg* model, CPoint* positions,
                                    int* selected, LONG lag_count,
                                    int model_flag);
KG_EXPORT LONG _kvGraphSetVrgNug(CKorvaGraph* graph, double nugget);
KG_EXPORT LONG _kvGraphSetIsDspLine(CKorvaGraph* graph, int flag);
KG_EXPORT LONG _kvGraphSetIsDspSill(CKorvaGraph* graph, int flag, double sill);
KG_EXPORT LONG _kvGraphSetCutOffNO(CKorvaGraph* graph, int count, int current);
KG_EXPORT LONG _kvGraphSetColor(CKorvaGraph* graph, ULONG point_color,
                                ULONG model_color);
KG_EXPORT LONG _kvGraphDrawVarmPlt(CKorvaGraph* graph, CWnd* window);
KG_EXPORT LONG _kvGraphDrawVrgLine(CKorvaGraph* graph);
KG_EXPORT LONG _kvGraphDrawSelectPoint(CKorvaGraph* graph);

// Multiple-variogram plot (type 9).
KG_EXPORT LONG _kvGraphLoadMVarmData(CKorvaGraph* graph, Variogram** entries,
                                     LONG* lag_counts, CPoint** positions,
                                     LONG count, int* show_flags,
                                     int load_flag);
KG_EXPORT LONG _kvGraphSetMVrgNug(CKorvaGraph* graph, double nugget);
KG_EXPORT LONG _kvGraphSetMIsDspLine(CKorvaGraph* graph, int flag);
KG_EXPORT LONG _kvGraphSetMIsDspSill(CKorvaGraph* graph, int flag, double sill);
KG_EXPORT LONG _kvGraphSetMCutOffNO(CKorvaGraph* graph, int count, int current);
KG_EXPORT LONG _kvGraphSetMColor(CKorvaGraph* graph, ULONG* point_colors,
                                 ULONG* second_colors);
KG_EXPORT LONG _kvGraphDrawMVarmPlt(CKorvaGraph* graph, CWnd* window);
KG_EXPORT LONG _kvGraphDrawMVrgLine(CKorvaGraph* graph);
KG_EXPORT LONG _kvGraphDrawMSelectPoint(CKorvaGraph* graph);

// Cross plot (type 8).
KG_EXPORT LONG _kvGraphLoadCrosData(CKorvaGraph* graph, double* x, double* y,
                                    LONG count);
KG_EXPORT LONG _kvGraphSetFitLine(CKorvaGraph* graph, double slope,
                                  double intercept);
KG_EXPORT LONG _kvGraphDrawCrosPlt(CKorvaGraph* graph, CWnd* window);

// Variogram cloud (type 10) and its location map (type 11).
KG_EXPORT LONG _kvLoadVrgCldSelInfo(CKorvaGraph* graph, LONG* selected,
                                    LONG count);
KG_EXPORT LONG _kvGraphDrawVrgCldPlt(CKorvaGraph* graph, CWnd* window);
KG_EXPORT LONG _kvGraphWorldtoScreen(CKorvaGraph* graph, double x, double y,
                                     int& sx, int& sy);
KG_EXPORT LONG _kvLoadVrgCldLocSelInfo(CKorvaGraph* graph, KVL_DOT* pairs,
                                       LONG count);
KG_EXPORT LONG _kvGraphDrawVrgCldLocmPlt(CKorvaGraph* graph, CWnd* window);

// Computations without a graph object.
KG_EXPORT LONG _kvTranNcore(KvDiscPnt* samples, LONG count, double maximum,
                            double minimum, double& score_max,
                            double& score_min);
KG_EXPORT LONG _kvTranLog(KvDiscPnt* samples, LONG count, double maximum,
                          double minimum, double shift, double& log_max,
                          double& log_min);
KG_EXPORT LONG _kvCptVModel(Kt3dIntp model, double lag, int lag_count, int kind,
                            ModIndVrg* curve);

#endif  // KORVAGRAPHLIB_H_
