#include "tools/korvagraph/statistic.h"

#include <cstdio>

std::string Formatted(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.6g", value);
  return buffer;
}

namespace {

void AddAxisSummary(Statistics* stats, const char* axis,
                    const AxisSummary& summary) {
  const std::string label = axis;
  AddText(stats, label, summary.name);
  AddCount(stats, label + " count", summary.count);
  AddStatistic(stats, label + " mean", summary.mean);
  AddStatistic(stats, label + " std dev", summary.deviation);
}

}  // namespace

void AddStatistic(Statistics* stats, const std::string& name, double value) {
  stats->push_back({name, Formatted(value), true, value});
}

void AddCount(Statistics* stats, const std::string& name, long value) {
  stats->push_back(
      {name, std::to_string(value), true, static_cast<double>(value)});
}

void AddText(Statistics* stats, const std::string& name,
             const std::string& value) {
  stats->push_back({name, value});
}

void AddRange(Statistics* stats, const std::string& name, double low,
              double high) {
  stats->push_back({name, Formatted(low) + " to " + Formatted(high)});
}

void AddAxisSummaries(Statistics* stats, const AxisSummary& x,
                      const AxisSummary& y) {
  AddAxisSummary(stats, "x", x);
  AddAxisSummary(stats, "y", y);
}
