// DataSet: a table of samples as read from a GeoEAS file, held column by
// column. Missing values (written as -999 or below) are held as NaN so that
// every consumer tests them the same way.
#ifndef TOOLS_KORVAGRAPH_DATA_SET_H_
#define TOOLS_KORVAGRAPH_DATA_SET_H_

#include <cmath>
#include <string>
#include <vector>

#include "tools/korvagraph/status.h"

// Values at or below this mark a missing value in a GeoEAS file.
constexpr double kMissingThreshold = -999.0;

inline bool IsMissing(double value) { return std::isnan(value); }

struct DataSet {
  std::string path;  // the file it came from, for messages
  std::string title;
  std::vector<std::string> names;            // one per column
  std::vector<std::vector<double>> columns;  // columns[c][row]; NaN = missing
  int header_lines = 0;  // lines before the first row: 2 + column count

  int ColumnCount() const { return static_cast<int>(names.size()); }
  int RowCount() const {
    return columns.empty() ? 0 : static_cast<int>(columns[0].size());
  }
  // Appends a column; REQUIRES: values.size() == RowCount() or no columns yet.
  void AddColumn(const std::string& name, std::vector<double> values);
};

// Finds the column that wanted names: a column name (exact, else ignoring
// case) or a 1-based column number. Writes its 0-based index to *column.
Status FindColumn(const DataSet& data, const std::string& wanted, int* column);

// Returns the values of the column that are not missing, in row order.
std::vector<double> PresentValues(const DataSet& data, int column);

#endif  // TOOLS_KORVAGRAPH_DATA_SET_H_
