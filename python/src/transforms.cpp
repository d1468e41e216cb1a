#include "python/src/transforms.h"

#include <cmath>
#include <memory>

#include "python/src/library_lock.h"

namespace korvagraph::python {
namespace {

// What the transforms write for a value outside their window.
constexpr double kOutside = -999.0;
// The model curve's values are semivariances (see _kvCptVModel).
constexpr int kSemivarianceKind = 0;

// Runs transform over records holding values and copies what it wrote into
// out, NaN where it wrote kOutside. Only the records' values are set: the
// transforms read nothing else.
template <typename Transform>
void OverRecords(const double* values, int64_t count, double* out,
                 Transform transform) {
  const auto records = std::unique_ptr<KvDiscPnt[]>(new KvDiscPnt[count]);
  for (int64_t i = 0; i < count; ++i) records[i].value = values[i];
  {
    const LibraryLock lock;
    transform(records.get(), static_cast<LONG>(count));
  }
  for (int64_t i = 0; i < count; ++i) {
    const double value = records[i].value;
    out[i] = value == kOutside ? std::nan("") : value;
  }
}

}  // namespace

void NormalScores(const double* values, int64_t count, double minimum,
                  double maximum, double* out) {
  OverRecords(values, count, out, [&](KvDiscPnt* records, LONG n) {
    double score_max = 0.0, score_min = 0.0;
    _kvTranNcore(records, n, maximum, minimum, score_max, score_min);
  });
}

void LogValues(const double* values, int64_t count, double minimum,
               double maximum, double shift, double* out) {
  OverRecords(values, count, out, [&](KvDiscPnt* records, LONG n) {
    double log_max = 0.0, log_min = 0.0;
    _kvTranLog(records, n, maximum, minimum, shift, log_max, log_min);
  });
}

std::vector<ModIndVrg> ModelCurve(const analysis::VariogramModel& model,
                                  double lag, int lag_count, double azimuth) {
  std::vector<ModIndVrg> curve(2 * static_cast<size_t>(lag_count) + 4,
                               ModIndVrg{});
  const LibraryLock lock;
  _kvCptVModel(analysis::ModelRecord(model, azimuth), lag, lag_count,
               kSemivarianceKind, curve.data());
  return curve;
}

}  // namespace korvagraph::python
