#include "korvagraph/analysis/table.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <utility>

namespace korvagraph::analysis {
namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() < 9 &&
         std::all_of(text.begin(), text.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) != 0;
         });
}

}  // namespace

void Table::AddColumn(const std::string& name, std::vector<double> values) {
  names.push_back(name);
  columns.push_back(std::move(values));
  trimmed.push_back(0);
  if (format == TableFormat::kGeoEas) header_lines = 2 + ColumnCount();
}

void Trim(const TrimLimits& limits, Table* table) {
  table->trimmed.resize(table->columns.size(), 0);
  for (size_t c = 0; c < table->columns.size(); ++c) {
    for (double& value : table->columns[c]) {
      if (IsMissing(value) || limits.Keeps(value)) continue;
      value = std::numeric_limits<double>::quiet_NaN();
      ++table->trimmed[c];
    }
  }
}

std::string ShortName(const std::string& name) {
  const size_t end = name.find_first_of(" \t");
  return end == std::string::npos ? name : name.substr(0, end);
}

bool NameMatches(const std::string& name, const std::string& wanted) {
  return EqualIgnoringCase(name, wanted) ||
         EqualIgnoringCase(ShortName(name), wanted);
}

Status FindColumn(const Table& table, const std::string& wanted, int* column) {
  const int count = table.ColumnCount();
  // A name wins over a number, so a column named "2" can still be chosen;
  // an exact name wins over a first word.
  for (int c = 0; c < count; ++c) {
    if (table.names[c] == wanted) {
      *column = c;
      return Status::Ok();
    }
  }
  for (int c = 0; c < count; ++c) {
    if (!wanted.empty() && NameMatches(table.names[c], wanted)) {
      *column = c;
      return Status::Ok();
    }
  }
  if (AllDigits(wanted)) {
    const int number = std::stoi(wanted);
    if (number >= 1 && number <= count) {
      *column = number - 1;
      return Status::Ok();
    }
  }
  std::string message = "unknown column \"" + wanted + "\" in " + table.path +
                        ": expected a name (or its first word) or a number " +
                        "from 1 to " + std::to_string(count) + ":";
  for (int c = 0; c < count; ++c) {
    message += "\n  " + std::to_string(c + 1) + "  " + table.names[c];
  }
  return Status::Failure(message);
}

std::vector<double> PresentValues(const Table& table, int column) {
  std::vector<double> values;
  values.reserve(table.columns[column].size());
  for (double v : table.columns[column]) {
    if (!IsMissing(v)) values.push_back(v);
  }
  return values;
}

}  // namespace korvagraph::analysis
