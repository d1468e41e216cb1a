// DataSet: a table of samples as read from a GeoEAS file, held column by
// column. Missing values (written as -999 or below, or outside the trimming
// limits) are held as NaN so that every consumer tests them the same way;
// the set counts how many of each column were trimmed.
#ifndef TOOLS_KORVAGRAPH_DATA_SET_H_
#define TOOLS_KORVAGRAPH_DATA_SET_H_

#include <cmath>
#include <string>
#include <vector>

#include "tools/korvagraph/status.h"

// Values at or below this mark a missing value in a GeoEAS file.
constexpr double kMissingThreshold = -999.0;
// The open trimming limits: no value is trimmed by them.
constexpr double kOpenLimit = 1e21;

inline bool IsMissing(double value) { return std::isnan(value); }

// The trimming limits of the GeoEAS convention: a value outside
// [lower, upper) is missing, as is one at or below -999.
struct TrimLimits {
  double lower = -kOpenLimit;
  double upper = kOpenLimit;

  // Returns true when value is kept as data.
  bool Keeps(double value) const {
    return value > kMissingThreshold && value >= lower && value < upper;
  }
};

struct DataSet {
  std::string path;  // the file it came from, for messages
  std::string title;
  std::vector<std::string> names;            // one per column
  std::vector<std::vector<double>> columns;  // columns[c][row]; NaN = missing
  std::vector<int> trimmed;  // per column: values read but held missing
  int header_lines = 0;      // lines before the first row: 2 + column count

  int ColumnCount() const { return static_cast<int>(names.size()); }
  int RowCount() const {
    return columns.empty() ? 0 : static_cast<int>(columns[0].size());
  }
  // Returns how many values of column c were trimmed (0 when not counted).
  int TrimmedCount(int c) const {
    return c >= 0 && c < static_cast<int>(trimmed.size()) ? trimmed[c] : 0;
  }
  // Appends a column; REQUIRES: values.size() == RowCount() or no columns yet.
  void AddColumn(const std::string& name, std::vector<double> values);
};

// Returns the first word of a column's name line: "Thk m  zone thickness"
// gives "Thk". Many files follow the name with units and a description.
std::string ShortName(const std::string& name);

// Returns true when the name line matches wanted: the whole line or its
// first word, ignoring case.
bool NameMatches(const std::string& name, const std::string& wanted);

// Finds the column that wanted names: a column name (whole line exact, else
// the whole line or its first word ignoring case) or a 1-based column
// number. Writes its 0-based index to *column. An unknown name is a
// command-line error listing the names, one per line.
Status FindColumn(const DataSet& data, const std::string& wanted, int* column);

// Returns the values of the column that are not missing, in row order.
std::vector<double> PresentValues(const DataSet& data, int column);

#endif  // TOOLS_KORVAGRAPH_DATA_SET_H_
