// What the charts call in the statistics engine KorvaLib (its own header is
// siblings/korvalib/korvalib.h, which documents each operation). Handles are
// positive integers; 0 means no handle. Result arrays are the caller's.
#ifndef SIBLINGS_KORVALIB_H_
#define SIBLINGS_KORVALIB_H_

#include "korvagraph/KorvaGraphLib.h"

int _kvCreateKorvaObj(int kind);
void _kvDeleteKorvaObj(int handle);
void _kvLoadDiscPnts(int handle, KvDiscPnt* samples, LONG count, int set);
void _kvSetDataExtr(int handle, double minimum, double maximum);
void _kvSetUseWtFlag(int handle, int flag1, int flag2);
void _kvSetUseSecAttrFlag(int handle, int flag1, int flag2);
void _kvSetAttrExtr(int handle, double minimum, double maximum, int axis,
                    double k);
void _kvSetFreqExtr(int handle, double extent);
void _kvSetClassNum(int handle, int classes);
void _kvSetLogFlag(int handle, int flag, int axis);
void _kvSetCumHistFlag(int handle, int flag);
void _kvSetQuanNum(int handle, int count);
void _kvSetDecNum(int handle, int decimals);
void _kvSetRefVal(int handle, double value);
void _kvSetSubNum(int handle, int number);
void _kvSetBullSize(int handle, double size);
void _kvSetProbPntNum(int handle, LONG count);
void _kvSetProbValue(int handle, double* probabilities, int count);
void _kvSetQqPpFlag(int handle, int selector);
void _kvSetScale(int handle, double scale);
void _kvSetThoryData(int handle, double xmin, double ymin, double xmax,
                     double ymax);
void _kvDrawHistPlt(int handle);
void _kvDrawProbPlt(int handle);
void _kvDrawQpPlt(int handle);
void _kvDrawScatPlt(int handle);
void _kvOutHistPltParam(int handle, LONG* r1, LONG* r2, double* r3, double* r4,
                        double* r5, double* r6, double* r7, double* r8,
                        double* r9, double* result, double* maximum_frequency);
void _kvOutPropPltParam(int handle, double* axis_positions, double* pairs,
                        LONG* count);
void _kvOutQpPltParam(int handle, double* pairs, LONG* count);
void _kvOutScatPltParam(int handle, LONG* point_count, double* r1, double* r4,
                        double* r7, LONG* r5, LONG* r2, double* r6, double* r3,
                        double* r8);
void _kvNscore(int handle, double* scores, double* sorted_values,
               double* sorted_scores);
void _kvSetLagPara(int handle, int* lag_count, double* lag_spacing, int flag1,
                   int flag2);
void _kvSetAzmDip(int handle, double* azimuth, int azimuth_tolerance,
                  int bandwidth_h, double* dip, int dip_tolerance,
                  int bandwidth_v, int direction_count);
void _kvSetIntpPara(int handle, int nst, double nugget, double* cc, int* it,
                    double* p1, double* p2, double* p3, double* p4, double* p5,
                    double* p6);
void _kvVmodel(int handle, ModIndVrg* curve);

#endif  // SIBLINGS_KORVALIB_H_
