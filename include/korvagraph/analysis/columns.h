// Choosing the columns a host charts: the attributes, the coordinates and
// the weights, from what the user named or by one default rule.
#ifndef KORVAGRAPH_ANALYSIS_COLUMNS_H_
#define KORVAGRAPH_ANALYSIS_COLUMNS_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"

namespace korvagraph::analysis {

// Column number for "no such column".
constexpr int kNoColumn = -1;

// The columns a user named (see FindColumn); empty: the default.
struct ColumnRequest {
  std::string primary;
  std::string secondary;
  std::string x, y, z;
  std::string weight;  // declustering weights; no default
};

struct ColumnChoice {
  int primary = kNoColumn;
  int secondary = kNoColumn;
  int x = kNoColumn, y = kNoColumn, z = kNoColumn;
  int weight = kNoColumn;
  // Why a default was taken as it was: coordinates by position, ID columns
  // passed over.
  std::vector<std::string> warnings;
};

// Chooses the columns. Named ones are found by FindColumn. By default the
// coordinates are the columns named like them (X, Xlocation, East,
// Easting, ...; Y, North, ...; Z, Elevation, Depth, ...), else the first
// two columns that are not IDs (with a warning); the primary attribute is
// the first other column that is not an ID, the secondary the next (none
// when there is no other). Fails on a name that matches no column.
Status ChooseColumns(const Table& table, const ColumnRequest& request,
                     ColumnChoice* choice);

// Returns why column numbers samples rather than measures them, or "": its
// name (ID, Id, Identification ..., Sample, SampleID, Hole, BHID, No,
// Number, Index, ...) or its content (whole numbers 1 to n in any order, or
// rising by exactly 1 from row to row, at least three of them).
std::string IdColumnReason(const Table& table, int column);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_COLUMNS_H_
