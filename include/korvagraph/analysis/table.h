// Table: a data set as read from a GeoEAS or CSV file, held column by
// column as doubles. Missing values (empty CSV fields, NA, NaN, GeoEAS's
// -999 and below, values outside the trimming limits) are held as NaN, so
// that every consumer tests them the same way; the table counts how many
// values of each column its limits trimmed.
//
// GeoEAS: a title line, the number of columns, one name per line, then
// rows of whitespace-separated numbers. CSV: a header row of names, then
// rows; the separator (comma, semicolon or tab) is detected from the header,
// fields may be quoted ("a ""b""", with separators and line breaks inside),
// a UTF-8 byte-order mark and CRLF line ends are accepted. In a CSV file a
// field that is not a number is missing (a warning counts them), and a
// column that holds no number at all is text: it is left out, with a
// warning. With semicolons, a decimal comma is read as a point.
#ifndef KORVAGRAPH_ANALYSIS_TABLE_H_
#define KORVAGRAPH_ANALYSIS_TABLE_H_

#include <cmath>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"
#include "korvagraph/records.h"

namespace korvagraph::analysis {

// Values at or below this mark a missing value in a GeoEAS file.
constexpr double kMissingThreshold = -999.0;
// The open trimming limits: no value is trimmed by them (the charts' open
// data window).
constexpr double kOpenLimit = kKvOpenLimit;

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

enum class TableFormat { kGeoEas, kCsv };

struct Table {
  std::string path;   // the file it came from, for messages
  std::string title;  // GeoEAS: the title line; CSV: the file's name
  TableFormat format = TableFormat::kGeoEas;
  std::vector<std::string> names;            // one per column
  std::vector<std::vector<double>> columns;  // columns[c][row]; NaN: missing
  std::vector<int64_t> trimmed;       // per column: values read but trimmed
  int header_lines = 0;               // lines before the first row
  std::vector<std::string> warnings;  // what the reader noticed

  int ColumnCount() const { return static_cast<int>(names.size()); }
  int64_t RowCount() const {
    return columns.empty() ? 0 : static_cast<int64_t>(columns[0].size());
  }
  // Returns how many values of column c the limits trimmed.
  int64_t TrimmedCount(int c) const {
    return c >= 0 && c < static_cast<int>(trimmed.size()) ? trimmed[c] : 0;
  }
  // Appends a column. REQUIRES: values.size() == RowCount() or no columns.
  void AddColumn(const std::string& name, std::vector<double> values);
};

// The path that names standard input.
inline constexpr char kStandardInput[] = "-";

// Reads the table at path ("-": standard input) into *table, replacing it.
// The format follows the extension (.csv, .tsv: CSV), else the content: a
// second line holding one whole number is GeoEAS, anything else CSV.
// Values the limits do not keep are held missing and counted. On failure
// the status names the file, the line and what was expected, and *table is
// unspecified.
Status ReadTable(const std::string& path, const TrimLimits& limits,
                 Table* table);
// The same for a stream (the format from the content); name stands for
// the file in messages and titles.
Status ReadTableFrom(std::istream& in, const std::string& name,
                     const TrimLimits& limits, Table* table);
// Reads the file at path as the format says, whatever its content.
Status ReadGeoEas(const std::string& path, const TrimLimits& limits,
                  Table* table);
Status ReadCsv(const std::string& path, const TrimLimits& limits, Table* table);

// Writes table in GeoEAS form: title, column count, one name per line,
// then one row per line, decimals[c] digits after the point for column c
// (3 where decimals has no entry); missing values are written as -999.
void WriteGeoEas(const Table& table, const std::vector<int>& decimals,
                 std::ostream* out);
Status WriteGeoEasFile(const Table& table, const std::vector<int>& decimals,
                       const std::string& path);

// Holds missing, and counts, the values of table that limits do not keep:
// for a table read with the open limits and trimmed afterwards.
void Trim(const TrimLimits& limits, Table* table);

// Returns the first word of a column's name: "Thk m  zone thickness" gives
// "Thk". Many files follow the name with units and a description.
std::string ShortName(const std::string& name);

// Returns true when the name matches wanted: the whole name or its first
// word, ignoring case.
bool NameMatches(const std::string& name, const std::string& wanted);

// Finds the column that wanted names: the exact name, else the whole name
// or its first word ignoring case, else a 1-based column number. Writes its
// 0-based index to *column. An unknown name fails, listing every column,
// one per line.
Status FindColumn(const Table& table, const std::string& wanted, int* column);

// Returns the values of column that are not missing, in row order.
std::vector<double> PresentValues(const Table& table, int column);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_TABLE_H_
