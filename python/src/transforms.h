// The chart library's transforms and model curve over a caller's arrays,
// for the Python module and for C++ callers timed against it. The input is
// never written: results go into the caller's output array. Each call takes
// the LibraryLock.
#ifndef PYTHON_SRC_TRANSFORMS_H_
#define PYTHON_SRC_TRANSFORMS_H_

#include <cstdint>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/model.h"

namespace korvagraph::python {

// Values the transforms take at most: the exports count in LONG.
constexpr int64_t kMaxTransformValues = 2147483647;

// Writes into out[i] the normal score of values[i] among the values inside
// [minimum, maximum] (_kvTranNcore: G^-1((r - 0.5) / n), ties sharing their
// average rank), and NaN for the values outside or NaN.
// REQUIRES: 0 <= count <= kMaxTransformValues.
void NormalScores(const double* values, int64_t count, double minimum,
                  double maximum, double* out);

// Writes into out[i] ln(values[i] + shift) for the values inside
// [minimum, maximum] (_kvTranLog: -2.2 where values[i] + shift < 0.01), and
// NaN for the others. REQUIRES: 0 <= count <= kMaxTransformValues.
void LogValues(const double* values, int64_t count, double minimum,
               double maximum, double shift, double* out);

// Returns the curve of model along azimuth (degrees) for lag_count lags
// spaced lag apart, as _kvCptVModel gives it: 2 lag_count + 4 records, at
// 0, just after 0 (the nugget's jump), then every half lag.
std::vector<ModIndVrg> ModelCurve(const analysis::VariogramModel& model,
                                  double lag, int lag_count, double azimuth);

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_TRANSFORMS_H_
