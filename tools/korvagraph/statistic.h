// Statistic: one named result of a chart's compute step, already formatted
// for a person to read.
#ifndef TOOLS_KORVAGRAPH_STATISTIC_H_
#define TOOLS_KORVAGRAPH_STATISTIC_H_

#include <string>
#include <vector>

struct Statistic {
  std::string name;
  std::string value;
};
using Statistics = std::vector<Statistic>;

// Appends a named number (six significant digits), count or text.
void AddStatistic(Statistics* stats, const std::string& name, double value);
void AddCount(Statistics* stats, const std::string& name, long value);
void AddText(Statistics* stats, const std::string& name,
             const std::string& value);

#endif  // TOOLS_KORVAGRAPH_STATISTIC_H_
