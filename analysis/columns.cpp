#include "korvagraph/analysis/columns.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <vector>

namespace korvagraph::analysis {
namespace {

// Usual names of coordinate columns, matched by a name's first word.
const char* const kXNames[] = {"x",    "xlocation", "xloc",    "xcoord",
                               "east", "easting",   "xcentre", "xcenter"};
const char* const kYNames[] = {"y",     "ylocation", "yloc",    "ycoord",
                               "north", "northing",  "ycentre", "ycenter"};
const char* const kZNames[] = {"z",         "zlocation", "zloc", "zcoord",
                               "elevation", "elev",      "depth"};
// First words of columns that number samples rather than measure them.
const char* const kIdNames[] = {
    "id",        "no",   "nr",     "num",    "number",  "sample",   "sampleid",
    "sample_id", "samp", "hole",   "holeid", "hole_id", "bhid",     "dhid",
    "index",     "idx",  "record", "rec",    "fid",     "objectid", "key"};
// An ID column by content holds at least this many values.
constexpr int64_t kFewestIdValues = 3;

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

template <size_t N>
bool OneOf(const std::string& word, const char* const (&names)[N]) {
  for (const char* name : names) {
    if (word == name) return true;
  }
  return false;
}

// Returns the first column whose first word is one of names, or kNoColumn.
template <size_t N>
int ColumnNamed(const Table& table, const char* const (&names)[N]) {
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (OneOf(Lower(ShortName(table.names[c])), names)) return c;
  }
  return kNoColumn;
}

// Returns true when a name says its column numbers samples: a usual ID
// name, "Identification ...", or a name ending in "_id" or a capital "ID"
// ("SampleID", "HoleID").
bool IdName(const std::string& name) {
  const std::string word = ShortName(name);
  const std::string lower = Lower(word);
  if (OneOf(lower, kIdNames) || lower.rfind("ident", 0) == 0) return true;
  const size_t n = word.size();
  if (n > 3 && lower.compare(n - 3, 3, "_id") == 0) return true;
  return n > 2 && word.compare(n - 2, 2, "ID") == 0 &&
         std::islower(static_cast<unsigned char>(word[n - 3]));
}

// Describes an ID column's content: whole numbers rising by 1 from row to
// row, or the whole numbers 1 to n in any order; "" for anything else.
std::string IdContent(const std::vector<double>& column) {
  int64_t count = 0;
  bool rising = true;
  double first = 0.0, previous = 0.0, lowest = 0.0, highest = 0.0;
  for (double v : column) {
    if (IsMissing(v)) continue;
    if (v != std::floor(v) || std::fabs(v) > 9e15) return "";
    if (count == 0) {
      first = lowest = highest = v;
    } else {
      rising = rising && v == previous + 1.0;
      lowest = std::fmin(lowest, v);
      highest = std::fmax(highest, v);
    }
    previous = v;
    ++count;
  }
  if (count < kFewestIdValues) return "";
  char text[160];
  if (rising) {
    std::snprintf(text, sizeof(text),
                  "its values rise by 1 from row to row, %.0f to %.0f", first,
                  previous);
    return text;
  }
  if (lowest != 1.0 || highest != static_cast<double>(count)) return "";
  std::vector<bool> seen(static_cast<size_t>(count) + 1, false);
  for (double v : column) {
    if (IsMissing(v)) continue;
    const size_t at = static_cast<size_t>(v);
    if (seen[at]) return "";
    seen[at] = true;
  }
  std::snprintf(text, sizeof(text),
                "its values are the whole numbers 1 to %lld",
                static_cast<long long>(count));
  return text;
}

// Resolves wanted when given, else takes fallback.
Status Choose(const Table& table, const std::string& wanted, int fallback,
              int* column) {
  if (wanted.empty()) {
    *column = fallback;
    return Status::Ok();
  }
  return FindColumn(table, wanted, column);
}

// Chooses x, y and z from the request, else by name, else (x and y) the
// first two columns that are not IDs, with a warning.
Status ChooseCoordinates(const Table& table, const ColumnRequest& request,
                         ColumnChoice* choice) {
  int x = ColumnNamed(table, kXNames);
  int y = ColumnNamed(table, kYNames);
  const bool by_position = (x == kNoColumn || y == kNoColumn) &&
                           request.x.empty() && request.y.empty() &&
                           table.ColumnCount() >= 3;
  if (by_position) {
    std::vector<int> candidates;
    for (int c = 0; c < table.ColumnCount(); ++c) {
      if (IdColumnReason(table, c).empty()) candidates.push_back(c);
    }
    if (candidates.size() < 2) candidates = {0, 1};
    x = candidates[0];
    y = candidates[1];
  }
  Status status = Choose(table, request.x, x, &choice->x);
  if (status.ok()) status = Choose(table, request.y, y, &choice->y);
  if (status.ok()) {
    status = Choose(table, request.z, ColumnNamed(table, kZNames), &choice->z);
  }
  if (status.ok() && by_position) {
    choice->warnings.push_back(
        "no column is named like a coordinate (X, Y, Xlocation, East, "
        "North, ...): columns " +
        std::to_string(choice->x + 1) + " (" +
        ShortName(table.names[choice->x]) + ") and " +
        std::to_string(choice->y + 1) + " (" +
        ShortName(table.names[choice->y]) +
        ") are taken as x and y; name the coordinates to choose others");
  }
  return status;
}

}  // namespace

std::string IdColumnReason(const Table& table, int column) {
  if (IdName(table.names[column])) return "its name marks sample numbers";
  return IdContent(table.columns[column]);
}

Status ChooseColumns(const Table& table, const ColumnRequest& request,
                     ColumnChoice* choice) {
  *choice = ColumnChoice();
  Status status = ChooseCoordinates(table, request, choice);
  if (status.ok()) {
    status = Choose(table, request.weight, kNoColumn, &choice->weight);
  }
  if (!status.ok()) return status;

  // The default attributes: the other columns that are not IDs, in order;
  // the primary is the first, the secondary the first besides the primary.
  auto taken = [choice](int c) {
    return c == choice->x || c == choice->y || c == choice->z ||
           c == choice->weight;
  };
  std::vector<int> candidates;
  std::vector<std::pair<int, std::string>> ids;  // passed over, and why
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (taken(c)) continue;
    const std::string reason = IdColumnReason(table, c);
    if (reason.empty()) {
      candidates.push_back(c);
    } else {
      ids.emplace_back(c, reason);
    }
  }
  const int fallback =
      candidates.empty() ? table.ColumnCount() - 1 : candidates[0];
  status = Choose(table, request.primary, fallback, &choice->primary);
  if (!status.ok()) return status;
  int second = kNoColumn;
  for (int c : candidates) {
    if (c != choice->primary) {
      second = c;
      break;
    }
  }
  status = Choose(table, request.secondary, second, &choice->secondary);
  if (!status.ok()) return status;
  // An ID column left out of a default choice is named in a warning.
  const bool defaults = request.primary.empty() || request.secondary.empty();
  for (const auto& [c, reason] : ids) {
    if (!defaults || c == choice->primary || c == choice->secondary) continue;
    choice->warnings.push_back("column " + std::to_string(c + 1) + " (" +
                               table.names[c] +
                               ") is passed over as an attribute: " + reason +
                               ", so it numbers the samples; name it to chart "
                               "it");
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
