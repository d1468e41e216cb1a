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

std::string NameList(const DataSet& data) {
  std::string list;
  for (const std::string& name : data.names) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace

void DataSet::AddColumn(const std::string& name, std::vector<double> values) {
  names.push_back(name);
  columns.push_back(std::move(values));
  header_lines = 2 + ColumnCount();
}

Status FindColumn(const DataSet& data, const std::string& wanted, int* column) {
  const int count = data.ColumnCount();
  // A name wins over a number, so a column named "2" can still be chosen.
  for (int c = 0; c < count; ++c) {
    if (data.names[c] == wanted) {
      *column = c;
      return Status::Ok();
    }
  }
  for (int c = 0; c < count; ++c) {
    if (EqualIgnoringCase(data.names[c], wanted)) {
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
  return Status::AtLine(data.path, 2,
                        "unknown column \"" + wanted +
                            "\": expected a name among " + NameList(data) +
                            " or a number from 1 to " + std::to_string(count));
}

std::vector<double> PresentValues(const DataSet& data, int column) {
  std::vector<double> values;
  values.reserve(data.columns[column].size());
  for (double v : data.columns[column]) {
    if (!IsMissing(v)) values.push_back(v);
  }
  return values;
}
