#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "korvagraph/analysis/table.h"
#include "test_support/temp_dir.h"

namespace korvagraph::analysis {
namespace {

using kgtools::TempDir;

struct GoodCase {
  const char* name;
  const char* text;
  std::vector<std::string> names;
  int rows;
  double last_value;  // last column of the last row; NaN if missing
};

TEST(TableReaderTest, ReadsGoodFiles) {
  const double kMissing = std::nan("");
  const GoodCase cases[] = {
      {"plain", "Title\n3\nX\nY\nCu\n1 2 3\n4 5 6\n", {"X", "Y", "Cu"}, 2, 6},
      {"crlf and blank lines",
       "T\r\n2\r\nA\r\nB\r\n\r\n1 2\r\n  \r\n3 4\r\n",
       {"A", "B"},
       2,
       4},
      {"tabs and exponents",
       "T\n2\n a name \nB\n1e2\t-3.5E-1\n",
       {"a name", "B"},
       1,
       -0.35},
      {"missing at -999", "T\n2\nA\nB\n1 -999\n", {"A", "B"}, 1, kMissing},
      {"missing below -999", "T\n2\nA\nB\n1 -1e21\n", {"A", "B"}, 1, kMissing},
      {"just above missing", "T\n2\nA\nB\n1 -998.5\n", {"A", "B"}, 1, -998.5},
      {"extra header fields", "Grid\n1 10 10 1\nV\n7\n", {"V"}, 1, 7},
      {"no final newline", "T\n1\nV\n1\n2", {"V"}, 2, 2},
  };
  TempDir dir;
  for (const GoodCase& c : cases) {
    Table data;
    const Status status = ReadTable(dir.Write("good.dat", c.text), {}, &data);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.ToString();
    EXPECT_EQ(data.names, c.names) << c.name;
    EXPECT_EQ(data.RowCount(), c.rows) << c.name;
    const double last = data.columns.back().back();
    if (std::isnan(c.last_value)) {
      EXPECT_TRUE(IsMissing(last)) << c.name;
    } else {
      EXPECT_DOUBLE_EQ(last, c.last_value) << c.name;
    }
  }
}

struct BadCase {
  const char* name;
  const char* text;
  const char* expected;  // the message after the file name
};

TEST(TableReaderTest, ReportsFileLineAndWhatWasExpected) {
  const BadCase cases[] = {
      {"empty file", "", ":1: expected a title line"},
      {"no column count", "Title\n", ":2: expected the number of columns"},
      {"count not a number", "T\nfive\nA\n",
       ":2: expected the number of columns"},
      {"count zero", "T\n0\n1\n", ":2: expected the number of columns"},
      {"count with junk", "T\n3x\nA\n", ":2: expected the number of columns"},
      {"names run out", "T\n3\nA\nB\n",
       ":5: expected the name of column 3 of 3"},
      {"blank name", "T\n2\nA\n\n1 2\n",
       ":4: expected the name of column 2 of 2"},
      {"short row", "T\n3\nA\nB\nC\n1 2 3\n4 5\n",
       ":7: expected 3 values, one per column, found 2"},
      {"long row", "T\n2\nA\nB\n1 2 3\n",
       ":5: expected 2 values, one per column, found 3"},
      {"not a number", "T\n2\nA\nB\n1 2\n3 x4\n",
       ":6: expected a number in column 2 (B), found \"x4\""},
      {"trailing junk", "T\n2\nA\nB\n1 2,5\n",
       ":5: expected a number in column 2 (B), found \"2,5\""},
      {"infinity", "T\n1\nA\ninf\n", ":4: expected a number in column 1 (A)"},
      {"no rows", "T\n2\nA\nB\n", ":5: expected at least one row of 2 values"},
      {"only blank rows", "T\n1\nA\n\n\n",
       ":6: expected at least one row of 1 values"},
  };
  TempDir dir;
  for (const BadCase& c : cases) {
    const std::string path = dir.Write("bad.dat", c.text);
    Table data;
    const Status status = ReadGeoEas(path, {}, &data);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.ToString().rfind(path + c.expected, 0), 0u)
        << c.name << ": " << status.ToString();
    EXPECT_EQ(status.ToString().find('\n'), std::string::npos) << c.name;
  }
}

TEST(TableReaderTest, MissingFileNamesTheFile) {
  TempDir dir;
  Table data;
  const Status status = ReadTable(dir.File("nowhere.dat"), {}, &data);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find(dir.File("nowhere.dat") + ": cannot open"),
            std::string::npos)
      << status.ToString();
}

TEST(TableReaderTest, DirectoryIsNotADataFile) {
  TempDir dir;
  Table data;
  const Status status = ReadTable(dir.path(), {}, &data);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.ToString(),
            dir.path() + ": expected a data file, found a directory");
}

TEST(TableReaderTest, WriterOutputReadsBack) {
  Table data;
  data.title = "round trip";
  data.AddColumn("X", {1.25, 2.5});
  data.AddColumn("V", {std::nan(""), 7.125});
  TempDir dir;
  const std::string path = dir.File("trip.dat");
  ASSERT_TRUE(WriteGeoEasFile(data, {2, 3}, path).ok());
  EXPECT_EQ(kgtools::ReadFile(path),
            "round trip\n2\nX\nV\n1.25 -999\n2.50 7.125\n");
  Table back;
  ASSERT_TRUE(ReadTable(path, {}, &back).ok());
  EXPECT_EQ(back.names, data.names);
  EXPECT_TRUE(IsMissing(back.columns[1][0]));
  EXPECT_DOUBLE_EQ(back.columns[1][1], 7.125);
}

struct ColumnCase {
  const char* wanted;
  int expected;  // -1: an error
};

TEST(TableTest, FindsColumnsByNameOrNumber) {
  Table data;
  data.path = "f.dat";
  data.AddColumn("X", {1});
  data.AddColumn("Copper", {2});
  data.AddColumn("2", {3});
  const ColumnCase cases[] = {
      {"X", 0}, {"x", 0},  {"copper", 1}, {"COPPER", 1}, {"2", 2}, {"3", 2},
      {"1", 0}, {"0", -1}, {"4", -1},     {"Zinc", -1},  {"", -1}, {"-1", -1},
  };
  for (const ColumnCase& c : cases) {
    int column = -7;
    const Status status = FindColumn(data, c.wanted, &column);
    if (c.expected < 0) {
      ASSERT_FALSE(status.ok()) << c.wanted;
      // A command-line mistake, not one of the file: the names one per line.
      EXPECT_EQ(status.ToString(),
                std::string("unknown column \"") + c.wanted +
                    "\" in f.dat: expected a name (or its first word) or a "
                    "number from 1 to 3:\n  1  X\n  2  Copper\n  3  2")
          << c.wanted;
    } else {
      ASSERT_TRUE(status.ok()) << c.wanted << ": " << status.ToString();
      EXPECT_EQ(column, c.expected) << c.wanted;
    }
  }
}

struct CsvCase {
  const char* name;
  const char* file;  // the file's name: its extension may decide the format
  const char* text;
  std::vector<std::string> names;
  std::vector<std::vector<double>> columns;  // NaN: missing
  std::vector<std::string> warning_starts;
};

TEST(TableReaderTest, ReadsCsvDialects) {
  const double kNaN = std::nan("");
  const CsvCase cases[] = {
      {"comma",
       "t.txt",
       "X,Y,V\n1,2,3\n4,5,6\n",
       {"X", "Y", "V"},
       {{1, 4}, {2, 5}, {3, 6}},
       {}},
      {"semicolon, decimal comma",
       "t.txt",
       "X;V\n1,5;3,25\n2;4\n",
       {"X", "V"},
       {{1.5, 2}, {3.25, 4}},
       {}},
      {"tab", "t.txt", "X\tV\n1\t2\n", {"X", "V"}, {{1}, {2}}, {}},
      {"quotes, separators and quotes in names",
       "t.txt",
       "\"Cu, ppm\",\"say \"\"hi\"\"\"\n1,\"2\"\n",
       {"Cu, ppm", "say \"hi\""},
       {{1}, {2}},
       {}},
      {"a line break inside quotes",
       "t.csv",
       "\"a\nb\",V\n1,2\n",
       {"a\nb", "V"},
       {{1}, {2}},
       {}},
      {"byte-order mark and CRLF",
       "t.txt",
       "\xEF\xBB\xBFX,V\r\n1,2\r\n",
       {"X", "V"},
       {{1}, {2}},
       {}},
      {"missing marks",
       "t.txt",
       "A,B\n1,\nNA,2\nnan,3\n#N/A,-999\n",
       {"A", "B"},
       {{1, kNaN, kNaN, kNaN}, {kNaN, 2, 3, kNaN}},
       {}},
      {"short rows and trailing separators",
       "t.txt",
       "A,B,C\n1,2\n3,4,5,,\n",
       {"A", "B", "C"},
       {{1, 3}, {2, 4}, {kNaN, 5}},
       {}},
      {"a text column left out",
       "t.txt",
       "Zone,V\nA,1\nB,2\n",
       {"V"},
       {{1, 2}},
       {"column \"Zone\" holds text"}},
      {"a few values that are not numbers",
       "t.csv",
       "V\n1\n<0.01\n3\n",
       {"V"},
       {{1, kNaN, 3}},
       {"1 values of column \"V\" are not numbers (the first \"<0.01\" on "
        "line 3)"}},
      {"the extension decides", "t.CSV", "V\n5\n6\n", {"V"}, {{5, 6}}, {}},
      {"an unnamed column",
       "t.txt",
       ",V\n0,2\n",
       {"column 1", "V"},
       {{0}, {2}},
       {}},
  };
  kgtools::TempDir dir;
  for (const CsvCase& c : cases) {
    Table table;
    const Status status = ReadTable(dir.Write(c.file, c.text), {}, &table);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.ToString();
    EXPECT_EQ(table.format, TableFormat::kCsv) << c.name;
    EXPECT_EQ(table.names, c.names) << c.name;
    ASSERT_EQ(table.columns.size(), c.columns.size()) << c.name;
    for (size_t col = 0; col < c.columns.size(); ++col) {
      ASSERT_EQ(table.columns[col].size(), c.columns[col].size()) << c.name;
      for (size_t r = 0; r < c.columns[col].size(); ++r) {
        const double want = c.columns[col][r], got = table.columns[col][r];
        EXPECT_TRUE(std::isnan(want) ? IsMissing(got) : got == want)
            << c.name << " column " << col << " row " << r << ": " << got;
      }
    }
    ASSERT_EQ(table.warnings.size(), c.warning_starts.size()) << c.name;
    for (size_t w = 0; w < table.warnings.size(); ++w) {
      EXPECT_EQ(table.warnings[w].rfind(c.warning_starts[w], 0), 0u)
          << c.name << ": " << table.warnings[w];
    }
  }
}

TEST(TableReaderTest, ReportsCsvMistakesByLine) {
  const struct {
    const char* name;
    const char* text;
    const char* expected;
  } cases[] = {
      {"too many fields", "A,B\n1,2\n1,2,3\n",
       ":3: expected at most 2 fields, one per column of the header, found 3"},
      {"empty file", "", ":1: expected a header row"},
      {"a header alone", "A,B\n", ":2: expected at least one row"},
      {"text only", "A,B\nx,y\n",
       ":1: expected at least one column of numbers"},
  };
  kgtools::TempDir dir;
  for (const auto& c : cases) {
    const std::string path = dir.Write("bad.csv", c.text);
    Table table;
    const Status status = ReadTable(path, {}, &table);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.ToString().rfind(path + c.expected, 0), 0u)
        << c.name << ": " << status.ToString();
  }
}

TEST(TableReaderTest, CsvAndGeoEasOfOneTableReadTheSame) {
  const std::string geoeas = "lake\n3\nX\nY\nV\n1 2 3.5\n4 5 -999\n";
  const std::string csv = "X,Y,V\n1,2,3.5\n4,5,\n";
  std::istringstream a(geoeas), b(csv);
  Table from_geoeas, from_csv;
  ASSERT_TRUE(ReadTableFrom(a, "lake.dat", {}, &from_geoeas).ok());
  ASSERT_TRUE(ReadTableFrom(b, "lake.csv", {}, &from_csv).ok());
  EXPECT_EQ(from_geoeas.names, from_csv.names);
  EXPECT_EQ(from_geoeas.columns[0], from_csv.columns[0]);
  EXPECT_TRUE(IsMissing(from_geoeas.columns[2][1]));
  EXPECT_TRUE(IsMissing(from_csv.columns[2][1]));
  EXPECT_EQ(from_csv.title, "lake.csv");
  EXPECT_EQ(from_geoeas.title, "lake");
}

}  // namespace
}  // namespace korvagraph::analysis
