// KorvaLib: the spatial-statistics engine of the workbench. It computes the
// numbers behind the sample-distribution charts (histogram, probability
// plot, Q-Q / P-P pairs, scatter statistics), normal scores and the nested
// variogram model curve; it never draws.
//
// A caller creates a handle, loads samples (the engine copies the two
// attribute values it needs at load time, so the caller's array may go away
// afterwards), sets windows and options, runs one computing operation and
// reads the results through the matching output operation. Every result
// array belongs to the caller. Handles are positive integers; 0 is never a
// handle, and an operation on an unknown handle does nothing.
//
// Which values take part: a value takes part when it lies inside the data
// window (_kvSetDataExtr) and inside the window of its axis (_kvSetAttrExtr),
// bounds included. A window never set is (-1e21, 1e21), the workbench's "no
// limit", which admits every value up to 1e21 in magnitude. A value that is
// not a number never takes part (its comparisons fail), nor does a window
// with a NaN bound admit any value; infinities take part only when a window
// bound is itself infinite. A reversed window (minimum > maximum) admits
// nothing.
//
// Each output operation reports the last computing operation on the handle;
// before any, it reports an empty result (counts 0, statistics 0, no
// entries). A null output pointer is skipped; nothing is written for it.
// Allocation failure inside a computation leaves the previous results.
// The handle table may be used from several threads; one handle must not be
// used from two threads at once.
#ifndef SIBLINGS_KORVALIB_KORVALIB_H_
#define SIBLINGS_KORVALIB_KORVALIB_H_

// The samples and model-curve records are the boundary records the charts
// hand over unchanged; the engine reads only value and value2 of a sample and
// writes only h and value of a curve record.
#include "korvagraph/records.h"

// ---------------------------------------------------------------------------
// Handles.

// Returns a new positive handle, or 0 when kind is not 1, 2 or 3 or memory is
// short. kind: 1 normal-score computation, 2 variogram model, 3 a chart's
// long-lived handle. Every handle offers every operation; a normal-score
// handle keeps only the values of its loads (see _kvLoadDiscPnts).
int _kvCreateKorvaObj(int kind);

// Releases the handle and everything it holds. Unknown handles: no effect.
void _kvDeleteKorvaObj(int handle);

// ---------------------------------------------------------------------------
// Loads and windows.

// Copies value of samples[0 .. count-1] into sample set `set` (1 primary,
// 2 second), replacing what the set held, and value2 where a computation
// reads it: into set 1 of a kind 2 or 3 handle, for the scatter statistics'
// y (on a normal-score handle they find no y). count <= 0 or a null pointer
// loads an empty set; another set number is ignored.
void _kvLoadDiscPnts(int handle, KvDiscPnt* samples, LONG count, int set);

// The data window that every computation applies to every value: only
// minimum <= v <= maximum take part. (-1e21, 1e21) means no limit.
void _kvSetDataExtr(int handle, double minimum, double maximum);

// Accepted and stored; no effect on any output. Callers pass (0, 1) for
// normal scores and (0, 0) for the scatter statistics.
void _kvSetUseWtFlag(int handle, int flag1, int flag2);

// Accepted and stored; no effect on any output (the scatter statistics always
// pair value with value2). Callers pass (1, 1).
void _kvSetUseSecAttrFlag(int handle, int flag1, int flag2);

// The window of one axis: minimum, maximum (bounds included); axis 1 the
// value axis of one-variable computations (it is also the histogram's class
// range), 2 the horizontal axis (set 1, scatter x), 3 the vertical axis
// (set 2, scatter y); another axis number is ignored. k, the tail factor
// (callers pass 3.0 or 5.0), is stored and changes no output.
void _kvSetAttrExtr(int handle, double minimum, double maximum, int axis,
                    double k);

// Frequency-axis extent; callers pass 0.0. Stored; no effect on outputs.
void _kvSetFreqExtr(int handle, double extent);

// ---------------------------------------------------------------------------
// Options.

// The number C of equal histogram classes over the axis-1 window. C = 0
// gives entry 0 only; a negative C gives no entries at all.
void _kvSetClassNum(int handle, int classes);

// Logarithmic axis flag (flag 0 or 1) of an axis. Stored; the engine
// computes in the values' own units, so no output changes.
void _kvSetLogFlag(int handle, int flag, int axis);

// 0: the histogram gives class frequencies; non-zero: cumulative values.
void _kvSetCumHistFlag(int handle, int flag);

// The quantile count q of the cumulative histogram (callers pass 10000):
// with n values and 1 < q < n the cumulative kind gives q quantiles instead
// of the n sorted values. q <= 1 means no limit.
void _kvSetQuanNum(int handle, int count);

// Label decimals (callers pass 2). Stored; no effect on outputs.
void _kvSetDecNum(int handle, int decimals);

// Reference value (callers pass -1.1e21 rounded to single precision: none).
// Stored; no effect on outputs.
void _kvSetRefVal(int handle, double value);

// Scatter sub-sampling number (callers pass 1). Stored; no effect.
void _kvSetSubNum(int handle, int number);

// Scatter symbol size (callers pass 1.0). Stored; no effect.
void _kvSetBullSize(int handle, double size);

// The point number of the Q-Q / P-P pairs: at most this many pairs are
// formed. Negative counts as 0. Before any call there is no limit.
void _kvSetProbPntNum(int handle, LONG count);

// Copies count axis probabilities (callers pass 21) for the probability
// plot. count <= 0 or a null pointer clears them.
void _kvSetProbValue(int handle, double* probabilities, int count);

// 0: quantile pairs (Q-Q); any other value: probability pairs (P-P).
void _kvSetQqPpFlag(int handle, int selector);

// Drawing scale (callers pass 0.24 in single precision). Stored; no effect.
void _kvSetScale(int handle, double scale);

// The chart's world window. Stored; no effect on outputs.
void _kvSetThoryData(int handle, double xmin, double ymin, double xmax,
                     double ymax);

// ---------------------------------------------------------------------------
// Computations. Each computes into the handle; nothing is drawn.

// Histogram of the n values of set 1 inside the data and axis-1 windows.
void _kvDrawHistPlt(int handle);

// Probability-plot positions of the values of set 1 inside the data and
// axis-1 windows, and of the axis probabilities.
void _kvDrawProbPlt(int handle);

// Q-Q or P-P pairs of set 1 (data and axis-2 windows) against set 2 (data and
// axis-3 windows).
void _kvDrawQpPlt(int handle);

// Scatter statistics of set 1's value (x: data and axis-2 windows) against
// its value2 (y: data and axis-3 windows).
void _kvDrawScatPlt(int handle);

// ---------------------------------------------------------------------------
// Outputs.

// The histogram: r1 = n, r2 = loaded samples left out, r3 mean, r4 standard
// deviation (divisor n), r5 maximum, r6 upper quartile, r7 median, r8 lower
// quartile, r9 minimum. Quantiles interpolate linearly between the sorted
// values placed at probabilities (i - 0.5) / n, clamped at both ends.
// result, frequency kind: entries 0 .. C, entry 0 = 0, entry c = fraction of
// the n values in class c of C equal classes over the axis-1 window
// (intersected with the data window, which is the axis-1 window itself at
// every call site; the last class closed on the right, a zero-width window
// puts every value in class 1); maximum_frequency = the largest entry.
// result, cumulative kind: m entries in ascending order, the sorted values
// when n <= q (or q <= 1), else the q quantiles at (i + 0.5) / q;
// maximum_frequency = 1. With n = 0 every statistic is 0, the frequency kind
// writes C + 1 zeros and maximum 0, the cumulative kind writes nothing.
// The caller's result array needs max(n, C + 1) doubles.
void _kvOutHistPltParam(int handle, LONG* r1, LONG* r2, double* r3,
                        double* r4, double* r5, double* r6, double* r7,
                        double* r8, double* r9, double* result,
                        double* maximum_frequency);

// The probability plot: axis_positions[k] = G^-1(probability k) for every
// axis probability (NaN for a probability outside [0, 1], -inf / +inf at 0
// and 1); pairs[2i], pairs[2i + 1] = (i-th smallest value, G^-1((i - 0.5) /
// n)), i = 1 .. n; count = n. G is the standard normal distribution.
void _kvOutPropPltParam(int handle, double* axis_positions, double* pairs,
                        LONG* count);

// The Q-Q / P-P pairs (x, y) as consecutive doubles and their count m, the
// smaller of the two sets' counts and the point number. Each set's i-th
// smallest of n values stands at cumulative probability (i - 0.5) / n, with
// linear interpolation between neighbours. Quantile form: x, y = the sets'
// quantiles at (j - 0.5) / m, j = 1 .. m (clamped to the smallest and
// largest value). Probability form: x, y = the two sets' cumulative
// probabilities at t_j = lo + (j - 0.5) (hi - lo) / m over the overlap
// [lo, hi] of the two ranges; a run of equal values takes the probability
// of its last member; no pair when the ranges do not overlap.
void _kvOutQpPltParam(int handle, double* pairs, LONG* count);

// The scatter statistics, in this argument order: the loaded point count
// (left as loaded), Pearson correlation, x standard deviation, y standard
// deviation, y count, x count, y mean, x mean, Spearman rank correlation
// (average ranks for ties). Means and deviations (divisor n) are over the x
// (y) values inside their windows; the correlations over the pairs with
// both inside, and 0 for fewer than two such pairs or no variance.
void _kvOutScatPltParam(int handle, LONG* point_count, double* r1, double* r4,
                        double* r7, LONG* r5, LONG* r2, double* r6,
                        double* r3, double* r8);

// Normal scores of set 1. A value inside the data window gets
// G^-1((r - 0.5) / n), r its rank among the n such values (ties share their
// average rank); any other value (outside, not a number) gets -999.0.
// scores[i] belongs to loaded sample i; sorted_values[0 .. n-1] are the valid
// values ascending and sorted_scores[0 .. n-1] their scores (the
// transformation table). Each array needs one double per loaded sample;
// entries past n are not written.
void _kvNscore(int handle, double* scores, double* sorted_values,
               double* sorted_scores);

// ---------------------------------------------------------------------------
// Variogram model.

// lag_count[0] = L lags at spacing lag_spacing[0]. flag1, flag2 (callers
// pass 0, 1) are stored only. A null pointer leaves the setting unchanged.
void _kvSetLagPara(int handle, int* lag_count, double* lag_spacing, int flag1,
                   int flag2);

// The direction of evaluation: azimuth[0] (degrees clockwise from north) and
// dip[0] (degrees, positive up). The tolerances and bandwidths (callers pass
// 0) are stored only; direction_count (callers pass 1) is stored, and only
// the first direction is evaluated.
void _kvSetAzmDip(int handle, double* azimuth, int azimuth_tolerance,
                  int bandwidth_h, double* dip, int dip_tolerance,
                  int bandwidth_v, int direction_count);

// The nested model: nst structures (0 .. 20; other counts are refused and
// the previous model stays), the nugget, and per structure i: cc[i] its
// contribution, it[i] its type (1 spherical, 2 exponential with practical
// range, 3 Gaussian with practical range, 4 power c * h^w, 5 hole effect
// 1 - cos(pi h / a); other codes contribute nothing), p1[i], p2[i], p3[i] the
// ranges along the major, minor and vertical axes (for type 4, p1 holds the
// exponent w, 0 < w < 2, and p1 / p2, p1 / p3 still give the anisotropy),
// p4[i] the azimuth of the major axis (degrees clockwise from north), p5[i]
// its dip and p6[i] its rake (degrees). A minor or vertical range that is
// not positive means "as the major range". A non-positive range of types 1,
// 2, 3, 5 makes the structure contribute its full cc for every h > 0. A
// power exponent outside (0, 2) contributes nothing. The arrays are copied;
// a null array pointer with nst > 0 refuses the call.
void _kvSetIntpPara(int handle, int nst, double nugget, double* cc, int* it,
                    double* p1, double* p2, double* p3, double* p4,
                    double* p5, double* p6);

// Writes L + 2 records (h and value): record 0 at h = 0 with value 0, record
// 1 at h = 1e-4 * spacing (showing the nugget jump), record k at
// h = (k - 1) * spacing for k = 2 .. L + 1. value is the semivariance,
// nugget included for h > 0. The step vector per unit lag is (sin a cos d,
// cos a cos d, sin d). Writes nothing while L < 0 or unset. A NaN among
// the model's parameters, the spacing or the angles gives NaN values.
void _kvVmodel(int handle, ModIndVrg* curve);

#endif  // SIBLINGS_KORVALIB_KORVALIB_H_
