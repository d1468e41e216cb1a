// The session's transform: both attributes replaced through the chart
// library's transforms before anything is computed from them.
#include <cstdio>
#include <limits>
#include <vector>

#include "korvagraph/analysis/session.h"

namespace korvagraph::analysis {
namespace {

// The value a transform writes for a sample it gives no result.
constexpr double kNoResult = -999.0;
// The logarithm's floor: shifted values below kLogFloorBelow get it.
constexpr double kLogFloorBelow = 0.01;

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

// Transforms the present values of column in place; returns how many of
// them the logarithm floored.
int TransformColumn(Transform transform, double shift,
                    std::vector<double>* column) {
  std::vector<KvDiscPnt> records;
  int floored = 0;
  for (double v : *column) {
    if (IsMissing(v)) continue;
    KvDiscPnt record{};
    record.value = v;
    records.push_back(record);
    if (transform == Transform::kLog && v + shift < kLogFloorBelow) ++floored;
  }
  const LONG count = static_cast<LONG>(records.size());
  double high = 0.0, low = 0.0;
  if (transform == Transform::kLog) {
    _kvTranLog(records.data(), count, kOpenLimit, -kOpenLimit, shift, high,
               low);
  } else {
    _kvTranNcore(records.data(), count, kOpenLimit, -kOpenLimit, high, low);
  }
  size_t next = 0;
  for (double& v : *column) {
    if (IsMissing(v)) continue;
    const double result = records[next++].value;
    v = result == kNoResult ? std::numeric_limits<double>::quiet_NaN() : result;
  }
  return floored;
}

}  // namespace

void Session::ApplyTransform() {
  const Transform transform = settings_.transform;
  if (transform == Transform::kNone) return;
  const double shift = settings_.shift;
  std::string names;
  for (int column : {columns_.primary, columns_.secondary}) {
    if (column == kNoColumn) continue;
    const int floored =
        TransformColumn(transform, shift, &table_.columns[column]);
    names += (names.empty() ? "" : " and ") + Name(column);
    if (floored > 0) {
      run_warnings_.push_back(
          std::to_string(floored) + " values of " + Name(column) +
          " plus the shift " + Number(shift) +
          " are below 0.01: their logarithm is set to -2.2; choose a larger "
          "shift");
    }
  }
  if (transform == Transform::kLog) {
    transform_note_ = "transform: natural logarithm of value + " +
                      Number(shift) + " (library _kvTranLog) applied to " +
                      names + " before every chart";
  } else {
    transform_note_ =
        "transform: normal scores (library _kvTranNcore) applied to " + names +
        " before every chart";
  }
}

}  // namespace korvagraph::analysis
