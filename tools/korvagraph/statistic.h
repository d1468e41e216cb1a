// Statistic: one named result of a chart's compute step, already formatted
// for a person to read.
#ifndef TOOLS_KORVAGRAPH_STATISTIC_H_
#define TOOLS_KORVAGRAPH_STATISTIC_H_

#include <string>
#include <vector>

struct Statistic {
  std::string name;
  std::string value;     // as shown
  bool numeric = false;  // a number or count, held whole in number
  double number = 0.0;
};
using Statistics = std::vector<Statistic>;

// Returns value with six significant digits, as the statistics show it.
std::string Formatted(double value);

// Appends a named number (six significant digits), count or text.
void AddStatistic(Statistics* stats, const std::string& name, double value);
void AddCount(Statistics* stats, const std::string& name, long value);
void AddText(Statistics* stats, const std::string& name,
             const std::string& value);
// Appends "low to high" under name.
void AddRange(Statistics* stats, const std::string& name, double low,
              double high);

// How many values lie on one axis, their mean and standard deviation.
struct AxisSummary {
  std::string name;  // the attribute on the axis
  long count = 0;
  double mean = 0.0;
  double deviation = 0.0;
};

// Appends "x" (the name), "x count", "x mean", "x std dev", then the same
// for y.
void AddAxisSummaries(Statistics* stats, const AxisSummary& x,
                      const AxisSummary& y);

#endif  // TOOLS_KORVAGRAPH_STATISTIC_H_
