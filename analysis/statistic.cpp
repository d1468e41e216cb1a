#include "korvagraph/analysis/statistic.h"

#include <cstdio>

#include "korvagraph/analysis/json.h"

namespace korvagraph::analysis {

std::string Formatted(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.6g", value);
  return buffer;
}

void AddStatistic(Statistics* stats, const std::string& name, double value) {
  stats->push_back({name, Formatted(value), true, value});
}

void AddCount(Statistics* stats, const std::string& name, int64_t value) {
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

std::string StatisticsJson(const Statistics& stats) {
  JsonObject object;
  for (const Statistic& stat : stats) {
    if (stat.numeric) {
      object.Number(stat.name, stat.number);
    } else {
      object.Text(stat.name, stat.value);
    }
  }
  return object.str();
}

}  // namespace korvagraph::analysis
