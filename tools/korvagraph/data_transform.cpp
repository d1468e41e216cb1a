#include "tools/korvagraph/data_transform.h"

#include <cstdio>
#include <limits>
#include <vector>

#include "tools/korvagraph/graph_object.h"

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

// Transforms the present values of one column; returns how many of them the
// logarithm floored.
int TransformColumn(ChartContext* context, int column, bool logarithm) {
  std::vector<double> values = context->data().columns[column];
  std::vector<KvDiscPnt> records;
  int floored = 0;
  for (double v : values) {
    if (IsMissing(v)) continue;
    KvDiscPnt record{};
    record.value = v;
    records.push_back(record);
    if (logarithm && v + context->options().shift < kLogFloorBelow) ++floored;
  }
  double high = 0.0, low = 0.0;
  if (logarithm) {
    _kvTranLog(records.data(), CountOf(records), kOpenLimit, -kOpenLimit,
               context->options().shift, high, low);
  } else {
    _kvTranNcore(records.data(), CountOf(records), kOpenLimit, -kOpenLimit,
                 high, low);
  }
  size_t next = 0;
  for (double& v : values) {
    if (IsMissing(v)) continue;
    const double result = records[next++].value;
    v = result == kNoResult ? std::numeric_limits<double>::quiet_NaN() : result;
  }
  context->ReplaceColumn(column, std::move(values));
  return floored;
}

}  // namespace

std::string ApplyTransform(ChartContext* context) {
  const Options& options = context->options();
  if (options.transform == "none") return "";
  const bool logarithm = options.transform == "log";
  std::string names;
  for (int column : {context->primary(), context->secondary()}) {
    if (column == kNoColumn) continue;
    const int floored = TransformColumn(context, column, logarithm);
    names += (names.empty() ? "" : " and ") + context->Name(column);
    if (floored > 0) {
      context->WarnRun(std::to_string(floored) + " values of " +
                       context->Name(column) + " plus the shift " +
                       Number(options.shift) +
                       " are below 0.01: their logarithm is set to -2.2; "
                       "choose a larger --shift");
    }
  }
  if (logarithm) {
    return "transform: natural logarithm of value + " + Number(options.shift) +
           " (library _kvTranLog) applied to " + names + " before every chart";
  }
  return "transform: normal scores (library _kvTranNcore) applied to " + names +
         " before every chart";
}
