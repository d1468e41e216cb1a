// Statistic: one named result of a chart's compute step, as a person reads
// it and, for numbers, as a program takes it.
#ifndef KORVAGRAPH_ANALYSIS_STATISTIC_H_
#define KORVAGRAPH_ANALYSIS_STATISTIC_H_

#include <cstdint>
#include <string>
#include <vector>

namespace korvagraph::analysis {

struct Statistic {
  std::string name;
  std::string value;     // as shown: numbers with six significant digits
  bool numeric = false;  // a number or count, held whole in number
  double number = 0.0;
};
using Statistics = std::vector<Statistic>;

// Returns value with six significant digits, as the statistics show it.
std::string Formatted(double value);

// Appends a named number, count or text.
void AddStatistic(Statistics* stats, const std::string& name, double value);
void AddCount(Statistics* stats, const std::string& name, int64_t value);
void AddText(Statistics* stats, const std::string& name,
             const std::string& value);
// Appends "low to high" under name.
void AddRange(Statistics* stats, const std::string& name, double low,
              double high);

// Returns the statistics as one JSON object, numbers as numbers.
std::string StatisticsJson(const Statistics& stats);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_STATISTIC_H_
