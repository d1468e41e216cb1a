#include "tools/korvagraph/data_set.h"

#include <algorithm>
#include <cctype>
#include <utility>

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

void DataSet::AddColumn(const std::string& name, std::vector<double> values) {
  names.push_back(name);
  columns.push_back(std::move(values));
  trimmed.push_back(0);
  header_lines = 2 + ColumnCount();
}

std::string ShortName(const std::string& name) {
  const size_t end = name.find_first_of(" \t");
  return end == std::string::npos ? name : name.substr(0, end);
}

bool NameMatches(const std::string& name, const std::string& wanted) {
  return EqualIgnoringCase(name, wanted) ||
         EqualIgnoringCase(ShortName(name), wanted);
}

Status FindColumn(const DataSet& data, const std::string& wanted, int* column) {
  const int count = data.ColumnCount();
  // A name wins over a number, so a column named "2" can still be chosen;
  // an exact name wins over a first word.
  for (int c = 0; c < count; ++c) {
    if (data.names[c] == wanted) {
      *column = c;
      return Status::Ok();
    }
  }
  for (int c = 0; c < count; ++c) {
    if (!wanted.empty() && NameMatches(data.names[c], wanted)) {
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
  std::string message = "unknown column \"" + wanted + "\" in " + data.path +
                        ": expected a name (or its first word) or a number " +
                        "from 1 to " + std::to_string(count) + ":";
  for (int c = 0; c < count; ++c) {
    message += "\n  " + std::to_string(c + 1) + "  " + data.names[c];
  }
  return Status::Error(message);
}

std::vector<double> PresentValues(const DataSet& data, int column) {
  std::vector<double> values;
  values.reserve(data.columns[column].size());
  for (double v : data.columns[column]) {
    if (!IsMissing(v)) values.push_back(v);
  }
  return values;
}
