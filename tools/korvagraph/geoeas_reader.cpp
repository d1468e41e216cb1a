#include "tools/korvagraph/geoeas_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <vector>

#include "tools/korvagraph/printable.h"

namespace {

// Column counts above this are taken for a mistyped header.
constexpr long kMaxColumns = 10000;

// Reads lines and counts them, so every message can give the line number.
class LineSource {
 public:
  explicit LineSource(std::istream* in) : in_(in) {}

  // Reads the next line without its end (LF or CRLF); false at the end.
  bool Next(std::string* line) {
    if (!std::getline(*in_, *line)) return false;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::istream* in_;
  int number_ = 0;
};

std::string Trim(const std::string& text) {
  const char* kSpace = " \t\r\n\f\v";
  const size_t first = text.find_first_not_of(kSpace);
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(kSpace);
  return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  std::string field;
  while (in >> field) fields.push_back(field);
  return fields;
}

// Parses a whole field as a finite number.
bool ParseNumber(const std::string& field, double* value) {
  const char* begin = field.c_str();
  char* end = nullptr;
  errno = 0;
  const double parsed = std::strtod(begin, &end);
  if (end == begin || *end != '\0' || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

Status ReadHeader(const std::string& path, LineSource* lines, DataSet* data) {
  std::string line;
  if (!lines->Next(&line)) {
    return Status::AtLine(path, 1,
                          "expected a title line, found an empty file");
  }
  data->title = Trim(line);

  if (!lines->Next(&line)) {
    return Status::AtLine(path, 2,
                          "expected the number of columns, found the end of "
                          "the file");
  }
  const std::vector<std::string> fields = SplitFields(line);
  char* end = nullptr;
  const long count =
      fields.empty() ? 0 : std::strtol(fields[0].c_str(), &end, 10);
  if (fields.empty() || *end != '\0' || count < 1 || count > kMaxColumns) {
    return Status::AtLine(path, 2,
                          "expected the number of columns (a whole number "
                          "from 1 to " +
                              std::to_string(kMaxColumns) + "), found " +
                              Quoted(Trim(line)));
  }

  for (long c = 0; c < count; ++c) {
    if (!lines->Next(&line)) {
      return Status::AtLine(
          path, lines->number() + 1,
          "expected the name of column " + std::to_string(c + 1) + " of " +
              std::to_string(count) + ", found the end of the file");
    }
    const std::string name = Trim(line);
    if (name.empty()) {
      return Status::AtLine(path, lines->number(),
                            "expected the name of column " +
                                std::to_string(c + 1) + " of " +
                                std::to_string(count) + ", found a blank line");
    }
    data->names.push_back(name);
    data->columns.emplace_back();
    data->trimmed.push_back(0);
  }
  data->header_lines = 2 + static_cast<int>(count);
  return Status::Ok();
}

Status ReadRows(const std::string& path, const TrimLimits& limits,
                LineSource* lines, DataSet* data) {
  const size_t count = data->names.size();
  std::string line;
  while (lines->Next(&line)) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.empty()) continue;  // blank lines carry no row
    if (fields.size() != count) {
      return Status::AtLine(path, lines->number(),
                            "expected " + std::to_string(count) +
                                " values, one per column, found " +
                                std::to_string(fields.size()));
    }
    for (size_t c = 0; c < count; ++c) {
      double value = 0.0;
      if (!ParseNumber(fields[c], &value)) {
        return Status::AtLine(
            path, lines->number(),
            "expected a number in column " + std::to_string(c + 1) + " (" +
                data->names[c] + "), found " + Quoted(fields[c]));
      }
      if (!limits.Keeps(value)) {
        value = std::numeric_limits<double>::quiet_NaN();
        ++data->trimmed[c];
      }
      data->columns[c].push_back(value);
    }
  }
  if (data->RowCount() == 0) {
    return Status::AtLine(path, lines->number() + 1,
                          "expected at least one row of " +
                              std::to_string(count) +
                              " values after the column names, found none");
  }
  return Status::Ok();
}

}  // namespace

Status ReadGeoEas(const std::string& path, const TrimLimits& limits,
                  DataSet* data) {
  *data = DataSet();
  const bool standard_input = path == kStandardInput;
  data->path = standard_input ? "(standard input)" : path;
  std::error_code ec;
  if (!standard_input && std::filesystem::is_directory(path, ec)) {
    return Status::Error(path + ": expected a data file, found a directory");
  }
  std::ifstream file;
  if (!standard_input) {
    file.open(path, std::ios::binary);
    if (!file) {
      return Status::Error(
          path + ": cannot open the data file: " + std::strerror(errno));
    }
  }
  std::istream& in = standard_input ? std::cin : file;
  LineSource lines(&in);
  Status status = ReadHeader(data->path, &lines, data);
  if (!status.ok()) return status;
  status = ReadRows(data->path, limits, &lines, data);
  if (!status.ok()) return status;
  if (in.bad()) {
    return Status::AtLine(data->path, lines.number(),
                          "the file could not be read");
  }
  return Status::Ok();
}

Status ReadGeoEas(const std::string& path, DataSet* data) {
  return ReadGeoEas(path, TrimLimits(), data);
}
