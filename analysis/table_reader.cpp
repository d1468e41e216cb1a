// Reading GeoEAS and CSV tables. Lines are read one at a time into a
// reused buffer and fields are parsed in place, so that reading holds
// little more than the columns it fills.
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "korvagraph/analysis/table.h"

namespace korvagraph::analysis {
namespace {

// Column counts above this are taken for a mistyped header.
constexpr long kMaxColumns = 10000;
// Bad values echoed in a message are cut after this many characters.
constexpr size_t kEchoedChars = 60;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Reads lines and counts them, so that every message can give the line
// number. The first line loses a UTF-8 byte-order mark; lines lose a CR
// before their LF.
class LineSource {
 public:
  explicit LineSource(std::istream* in) : in_(in) {}

  // Reads the next line without its end; false at the end.
  bool Next(std::string* line) {
    if (!pending_.empty()) {
      *line = std::move(pending_.front());
      pending_.erase(pending_.begin());
    } else if (!std::getline(*in_, *line)) {
      return false;
    } else {
      if (!line->empty() && line->back() == '\r') line->pop_back();
      if (read_ == 0 && line->rfind(kByteOrderMark, 0) == 0) line->erase(0, 3);
      ++read_;
    }
    ++number_;
    return true;
  }
  // Hands lines already read back, to be read again first.
  void Unread(std::vector<std::string> lines) {
    number_ -= static_cast<int>(lines.size());
    pending_.insert(pending_.begin(), lines.begin(), lines.end());
  }
  int number() const { return number_; }
  bool bad() const { return in_->bad(); }

 private:
  std::istream* in_;
  std::vector<std::string> pending_;
  int read_ = 0;
  int number_ = 0;
};

std::string Trim(const std::string& text) {
  const char* kSpace = " \t\r\n\f\v";
  const size_t first = text.find_first_not_of(kSpace);
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(kSpace);
  return text.substr(first, last - first + 1);
}

// Returns text in double quotes, cut after kEchoedChars characters.
std::string Quoted(const std::string& text) {
  if (text.size() <= kEchoedChars) return "\"" + text + "\"";
  return "\"" + text.substr(0, kEchoedChars) + "...\"";
}

// Parses text[begin, end) whole as a finite number.
bool ParseNumber(const char* begin, const char* end, double* value) {
  if (begin == end) return false;
  // strtod needs an end it can stop at: copy fields that lack one.
  char buffer[64];
  std::string longer;
  const char* text = begin;
  const size_t size = static_cast<size_t>(end - begin);
  if (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) {
    if (size < sizeof(buffer)) {
      std::memcpy(buffer, begin, size);
      buffer[size] = '\0';
      text = buffer;
    } else {
      longer.assign(begin, end);
      text = longer.c_str();
    }
  }
  char* stop = nullptr;
  errno = 0;
  const double parsed = std::strtod(text, &stop);
  if (stop != text + size || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

bool ParseField(const std::string& field, double* value) {
  return ParseNumber(field.data(), field.data() + field.size(), value);
}

// Keeps value in column c of table, or holds it missing and counts it.
void Store(const TrimLimits& limits, double value, size_t c, Table* table) {
  if (!limits.Keeps(value)) {
    value = kNaN;
    ++table->trimmed[c];
  }
  table->columns[c].push_back(value);
}

// --- GeoEAS -------------------------------------------------------------

Status ReadGeoEasHeader(const std::string& path, LineSource* lines,
                        Table* table) {
  std::string line;
  if (!lines->Next(&line)) {
    return Status::AtLine(path, 1,
                          "expected a title line, found an empty file");
  }
  table->title = Trim(line);
  if (!lines->Next(&line)) {
    return Status::AtLine(path, 2,
                          "expected the number of columns, found the end of "
                          "the file");
  }
  const std::string count_line = Trim(line);
  const std::string first =
      count_line.substr(0, count_line.find_first_of(" \t"));
  char* end = nullptr;
  const long count = first.empty() ? 0 : std::strtol(first.c_str(), &end, 10);
  if (first.empty() || *end != '\0' || count < 1 || count > kMaxColumns) {
    return Status::AtLine(path, 2,
                          "expected the number of columns (a whole number "
                          "from 1 to " +
                              std::to_string(kMaxColumns) + "), found " +
                              Quoted(count_line));
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
    table->names.push_back(name);
    table->columns.emplace_back();
    table->trimmed.push_back(0);
  }
  table->header_lines = 2 + static_cast<int>(count);
  return Status::Ok();
}

Status ReadGeoEasRows(const std::string& path, const TrimLimits& limits,
                      LineSource* lines, Table* table) {
  const size_t count = table->names.size();
  std::string line;
  std::vector<double> row(count);
  while (lines->Next(&line)) {
    // Fields are runs of non-space characters, parsed where they stand.
    size_t fields = 0;
    const char* p = line.c_str();
    Status bad;
    while (true) {
      while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) ++p;
      if (*p == '\0') break;
      const char* start = p;
      while (*p != '\0' && !std::isspace(static_cast<unsigned char>(*p))) ++p;
      if (fields < count && bad.ok() && !ParseNumber(start, p, &row[fields])) {
        bad = Status::AtLine(path, lines->number(),
                             "expected a number in column " +
                                 std::to_string(fields + 1) + " (" +
                                 table->names[fields] + "), found " +
                                 Quoted(std::string(start, p)));
      }
      ++fields;
    }
    if (fields == 0) continue;  // blank lines carry no row
    if (fields != count) {
      return Status::AtLine(path, lines->number(),
                            "expected " + std::to_string(count) +
                                " values, one per column, found " +
                                std::to_string(fields));
    }
    if (!bad.ok()) return bad;
    for (size_t c = 0; c < count; ++c) Store(limits, row[c], c, table);
  }
  if (table->RowCount() == 0) {
    return Status::AtLine(path, lines->number() + 1,
                          "expected at least one row of " +
                              std::to_string(count) +
                              " values after the column names, found none");
  }
  return Status::Ok();
}

Status ReadGeoEasLines(const std::string& path, const TrimLimits& limits,
                       LineSource* lines, Table* table) {
  table->format = TableFormat::kGeoEas;
  Status status = ReadGeoEasHeader(path, lines, table);
  if (status.ok()) status = ReadGeoEasRows(path, limits, lines, table);
  return status;
}

// --- CSV ----------------------------------------------------------------

constexpr char kSeparators[] = {',', ';', '\t'};

// Counts separator outside double quotes in line.
int CountOutsideQuotes(const std::string& line, char separator) {
  int count = 0;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == separator && !quoted) ++count;
  }
  return count;
}

// Returns the separator of the header line: the most frequent of comma,
// semicolon and tab outside quotes (a comma when there is none).
char DetectSeparator(const std::string& header) {
  char best = ',';
  int best_count = 0;
  for (char separator : kSeparators) {
    const int count = CountOutsideQuotes(header, separator);
    if (count > best_count) {
      best = separator;
      best_count = count;
    }
  }
  return best;
}

// Reads CSV records, one or more lines each (a quoted field may hold line
// breaks), into fields.
class CsvRecords {
 public:
  CsvRecords(LineSource* lines, char separator)
      : lines_(lines), separator_(separator) {}

  // Reads the next record that is not blank; false at the end. line() is
  // the number of its first line.
  bool Next(std::vector<std::string>* fields) {
    std::string line;
    do {
      if (!lines_->Next(&line)) return false;
    } while (Trim(line).empty());
    line_ = lines_->number();
    fields->clear();
    std::string field;
    bool quoted = false, was_quoted = false;
    for (size_t i = 0;; ++i) {
      if (i == line.size()) {
        std::string more;
        if (quoted && lines_->Next(&more)) {
          field += '\n';
          line = more;
          i = static_cast<size_t>(-1);
          continue;
        }
        break;
      }
      const char c = line[i];
      if (quoted) {
        if (c != '"') {
          field += c;
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else if (c == '"' && Trim(field).empty()) {
        quoted = was_quoted = true;
        field.clear();
      } else if (c == separator_) {
        fields->push_back(was_quoted ? field : Trim(field));
        field.clear();
        was_quoted = false;
      } else {
        field += c;
      }
    }
    fields->push_back(was_quoted ? field : Trim(field));
    return true;
  }
  int line() const { return line_; }

 private:
  LineSource* lines_;
  char separator_;
  int line_ = 0;
};

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Returns true for the texts that mark a missing value.
bool IsMissingMark(const std::string& field) {
  for (const char* mark : {"", "na", "n/a", "#n/a", "nan", "null"}) {
    if (EqualsIgnoringCase(field, mark)) return true;
  }
  return false;
}

// What the reader learned of one CSV column.
struct CsvColumn {
  int64_t numbers = 0;
  int64_t texts = 0;  // fields that are neither numbers nor missing marks
  std::string first_text;
  int first_text_line = 0;
};

// Returns the base name of path, the title of a CSV table.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Leaves out the columns holding text only and warns about fields that
// are not numbers in the others.
void SettleCsvColumns(const std::vector<CsvColumn>& seen, Table* table) {
  Table kept;
  kept.format = TableFormat::kCsv;
  for (size_t c = 0; c < seen.size(); ++c) {
    const CsvColumn& column = seen[c];
    const std::string& name = table->names[c];
    if (column.texts > 0 && column.numbers == 0) {
      table->warnings.push_back(
          "column " + Quoted(name) + " holds text (such as " +
          Quoted(column.first_text) + "), not numbers: it is left out");
      continue;
    }
    if (column.texts > 0) {
      table->warnings.push_back(
          std::to_string(column.texts) + " values of column " + Quoted(name) +
          " are not numbers (the first " + Quoted(column.first_text) +
          " on line " + std::to_string(column.first_text_line) +
          "): they are held missing");
    }
    kept.names.push_back(name);
    kept.columns.push_back(std::move(table->columns[c]));
    kept.trimmed.push_back(table->trimmed[c]);
  }
  table->names = std::move(kept.names);
  table->columns = std::move(kept.columns);
  table->trimmed = std::move(kept.trimmed);
}

Status ReadCsvLines(const std::string& path, const TrimLimits& limits,
                    LineSource* lines, Table* table) {
  table->format = TableFormat::kCsv;
  table->title = BaseName(path);
  std::string header;
  if (!lines->Next(&header)) {
    return Status::AtLine(path, 1,
                          "expected a header row of column names, found an "
                          "empty file");
  }
  const char separator = DetectSeparator(header);
  lines->Unread({header});
  CsvRecords records(lines, separator);
  std::vector<std::string> fields;
  records.Next(&fields);
  for (size_t c = 0; c < fields.size(); ++c) {
    table->names.push_back(fields[c].empty() ? "column " + std::to_string(c + 1)
                                             : fields[c]);
    table->columns.emplace_back();
    table->trimmed.push_back(0);
  }
  table->header_lines = lines->number();
  const size_t count = table->names.size();
  std::vector<CsvColumn> seen(count);
  while (records.Next(&fields)) {
    // Empty fields past the last column (trailing separators) are no data.
    while (fields.size() > count && fields.back().empty()) fields.pop_back();
    if (fields.size() > count) {
      return Status::AtLine(path, records.line(),
                            "expected at most " + std::to_string(count) +
                                " fields, one per column of the header, "
                                "found " +
                                std::to_string(fields.size()));
    }
    fields.resize(count);  // short rows: the rest is missing
    for (size_t c = 0; c < count; ++c) {
      std::string& field = fields[c];
      double value = kNaN;
      if (IsMissingMark(field)) {
        table->columns[c].push_back(kNaN);
        continue;
      }
      bool number = ParseField(field, &value);
      const size_t comma = field.find(',');
      if (!number && separator == ';' && comma != std::string::npos &&
          comma == field.rfind(',') && field.find('.') == std::string::npos) {
        field[comma] = '.';  // a decimal comma
        number = ParseField(field, &value);
      }
      if (number) {
        ++seen[c].numbers;
        Store(limits, value, c, table);
        continue;
      }
      if (seen[c].texts++ == 0) {
        seen[c].first_text = field;
        seen[c].first_text_line = records.line();
      }
      table->columns[c].push_back(kNaN);
    }
  }
  if (table->RowCount() == 0) {
    return Status::AtLine(path, lines->number() + 1,
                          "expected at least one row after the header row, "
                          "found none");
  }
  SettleCsvColumns(seen, table);
  if (table->ColumnCount() == 0) {
    return Status::AtLine(path, 1,
                          "expected at least one column of numbers, found "
                          "text only");
  }
  return Status::Ok();
}

// --- Format and files ---------------------------------------------------

bool HasCsvExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
    return false;
  }
  const std::string extension = path.substr(dot + 1);
  return EqualsIgnoringCase(extension, "csv") ||
         EqualsIgnoringCase(extension, "tsv");
}

// CSV when the first two lines hold the same separators, as a header and a
// row do; else GeoEAS when the second line starts with a whole number; else
// CSV when the first line holds a separator at all, GeoEAS otherwise (its
// messages then say what the file lacks).
TableFormat DetectFormat(LineSource* lines) {
  std::vector<std::string> first(2);
  const bool two = lines->Next(&first[0]) && lines->Next(&first[1]);
  if (!two) first.resize(lines->number());
  lines->Unread(first);
  if (!two) return TableFormat::kGeoEas;  // its messages say what is missing
  for (char separator : kSeparators) {
    const int count = CountOutsideQuotes(first[0], separator);
    if (count > 0 && count == CountOutsideQuotes(first[1], separator)) {
      return TableFormat::kCsv;
    }
  }
  const std::string line = Trim(first[1]);
  const std::string word = line.substr(0, line.find_first_of(" \t"));
  char* end = nullptr;
  std::strtol(word.c_str(), &end, 10);
  if (!word.empty() && *end == '\0') return TableFormat::kGeoEas;
  for (char separator : kSeparators) {
    if (CountOutsideQuotes(first[0], separator) > 0) return TableFormat::kCsv;
  }
  return TableFormat::kGeoEas;
}

enum class Choice { kDetect, kGeoEas, kCsv };

Status ReadStream(std::istream& in, const std::string& name,
                  const TrimLimits& limits, Choice choice, Table* table) {
  *table = Table();
  table->path = name;
  LineSource lines(&in);
  TableFormat format = choice == Choice::kGeoEas ? TableFormat::kGeoEas
                       : choice == Choice::kCsv  ? TableFormat::kCsv
                                                 : DetectFormat(&lines);
  Status status = format == TableFormat::kGeoEas
                      ? ReadGeoEasLines(name, limits, &lines, table)
                      : ReadCsvLines(name, limits, &lines, table);
  if (status.ok() && lines.bad()) {
    status = Status::AtLine(name, lines.number(), "the file could not be read");
  }
  // Columns grew by doubling: give back the spare third before the charts
  // build their records.
  for (std::vector<double>& column : table->columns) column.shrink_to_fit();
  return status;
}

Status ReadPath(const std::string& path, const TrimLimits& limits,
                Choice choice, Table* table) {
  if (path == kStandardInput) {
    return ReadStream(std::cin, "(standard input)", limits, choice, table);
  }
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return Status::InFile(path, "expected a data file, found a directory");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return Status::InFile(path, std::string("cannot open the data file: ") +
                                    std::strerror(errno));
  }
  if (choice == Choice::kDetect && HasCsvExtension(path)) choice = Choice::kCsv;
  return ReadStream(file, path, limits, choice, table);
}

}  // namespace

Status ReadTable(const std::string& path, const TrimLimits& limits,
                 Table* table) {
  return ReadPath(path, limits, Choice::kDetect, table);
}

Status ReadTableFrom(std::istream& in, const std::string& name,
                     const TrimLimits& limits, Table* table) {
  return ReadStream(in, name, limits, Choice::kDetect, table);
}

Status ReadGeoEas(const std::string& path, const TrimLimits& limits,
                  Table* table) {
  return ReadPath(path, limits, Choice::kGeoEas, table);
}

Status ReadCsv(const std::string& path, const TrimLimits& limits,
               Table* table) {
  return ReadPath(path, limits, Choice::kCsv, table);
}

}  // namespace korvagraph::analysis
