#include "tools/korvagraph/statistic.h"

#include <cstdio>

void AddStatistic(Statistics* stats, const std::string& name, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.6g", value);
  stats->push_back({name, buffer});
}

void AddCount(Statistics* stats, const std::string& name, long value) {
  stats->push_back({name, std::to_string(value)});
}

void AddText(Statistics* stats, const std::string& name,
             const std::string& value) {
  stats->push_back({name, value});
}
