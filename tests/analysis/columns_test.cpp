#include "korvagraph/analysis/columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvagraph::analysis {
namespace {

// A table of named columns of five rows each.
Table Of(const std::vector<std::pair<std::string, std::vector<double>>>& cols) {
  Table table;
  table.path = "t.csv";
  for (const auto& [name, values] : cols) table.AddColumn(name, values);
  return table;
}

const std::vector<double> kMeasured = {3.5, 1.25, 9.0, 4.0, 2.5};
const std::vector<double> kOther = {0.5, 7.0, 2.0, 8.5, 1.0};

TEST(IdColumnTest, ByNameAndByContent) {
  const struct {
    const char* name;
    std::vector<double> values;
    bool id;
  } cases[] = {
      {"ID", kMeasured, true},
      {"Id", kMeasured, true},
      {"Identification Number", kMeasured, true},
      {"SampleID", kMeasured, true},
      {"sample_id", kMeasured, true},
      {"Hole", kMeasured, true},
      {"BHID", kMeasured, true},
      {"No", kMeasured, true},
      {"Number", kMeasured, true},
      {"Index", kMeasured, true},
      {"Rapid", kMeasured, false},                  // ends in "id", names no ID
      {"Rec", {3, 1, 5, 2, 4}, true},               // 1 to n in any order
      {"Code", {101, 102, 103, 104, 105}, true},    // rising by 1
      {"Grade", {1, 2, 2, 4, 5}, false},            // a repeat
      {"Grade", {1, 2, 3, 4, 6}, false},            // 1 to 6, not to 5
      {"Grade", {1.5, 2.5, 3.5, 4.5, 5.5}, false},  // not whole
      {"Grade", {0, 0, 0, 0, 0}, false},
  };
  for (const auto& c : cases) {
    const Table table = Of({{c.name, c.values}});
    EXPECT_EQ(!IdColumnReason(table, 0).empty(), c.id)
        << c.name << " " << c.values[0];
  }
  // Two values are too few to tell.
  EXPECT_TRUE(IdColumnReason(Of({{"Code", {1, 2}}}), 0).empty());
}

TEST(IdColumnTest, LakeSurveyChartsVAndUAndSaysWhy) {
  const std::vector<double> ids = {1, 2, 3, 4, 5};
  const Table table = Of({{"Identification Number", ids},
                          {"Xlocation", kOther},
                          {"Ylocation", kMeasured},
                          {"V", kMeasured},
                          {"U", kOther},
                          {"T", {1, 1, 2, 2, 1}}});
  ColumnChoice choice;
  ASSERT_TRUE(ChooseColumns(table, {}, &choice).ok());
  EXPECT_EQ(choice.x, 1);
  EXPECT_EQ(choice.y, 2);
  EXPECT_EQ(choice.primary, 3);
  EXPECT_EQ(choice.secondary, 4);
  ASSERT_EQ(choice.warnings.size(), 1u);
  EXPECT_NE(choice.warnings[0].find("column 1 (Identification Number) is "
                                    "passed over as an attribute"),
            std::string::npos)
      << choice.warnings[0];
}

TEST(IdColumnTest, WarningsSayWhatTheDefaultsTook) {
  const struct {
    const char* name;
    Table table;
    ColumnRequest request;
    int primary, secondary, x, y;
    std::vector<std::string> warning_starts;
  } cases[] = {
      {"ID passed over by content, coordinates by position",
       Of({{"Seq", {10, 11, 12, 13, 14}},
           {"A", kMeasured},
           {"B", kOther},
           {"Cu", kMeasured}}),
       {},
       3,
       -1,
       1,
       2,
       {"no column is named like a coordinate",
        "column 1 (Seq) is passed over as an attribute: its values rise by "
        "1 from row to row, 10 to 14"}},
      {"an ID named as the attribute is charted, the first other is second",
       Of({{"X", kMeasured},
           {"Y", kOther},
           {"ID", {1, 2, 3, 4, 5}},
           {"Cu", kMeasured}}),
       {"ID", "", "", "", "", ""},
       2,
       3,
       0,
       1,
       {}},
      {"only IDs: the last column",
       Of({{"X", kMeasured}, {"Y", kOther}, {"No", {5, 4, 3, 2, 1}}}),
       {},
       2,
       -1,
       0,
       1,
       {}},
  };
  for (const auto& c : cases) {
    ColumnChoice choice;
    ASSERT_TRUE(ChooseColumns(c.table, c.request, &choice).ok()) << c.name;
    EXPECT_EQ(choice.primary, c.primary) << c.name;
    EXPECT_EQ(choice.secondary, c.secondary) << c.name;
    EXPECT_EQ(choice.x, c.x) << c.name;
    EXPECT_EQ(choice.y, c.y) << c.name;
    ASSERT_EQ(choice.warnings.size(), c.warning_starts.size()) << c.name;
    for (size_t w = 0; w < choice.warnings.size(); ++w) {
      EXPECT_EQ(choice.warnings[w].rfind(c.warning_starts[w], 0), 0u)
          << c.name << ": " << choice.warnings[w];
    }
  }
}

}  // namespace
}  // namespace korvagraph::analysis
