#include "tools/korvagraph/geoeas_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/korvagraph/geoeas_writer.h"
#include "tools_test_util.h"

namespace {

using kgtools::TempDir;

struct GoodCase {
  const char* name;
  const char* text;
  std::vector<std::string> names;
  int rows;
  double last_value;  // last column of the last row; NaN if missing
};

TEST(GeoEasReaderTest, ReadsGoodFiles) {
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
    DataSet data;
    const Status status = ReadGeoEas(dir.Write("good.dat", c.text), &data);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.message();
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

TEST(GeoEasReaderTest, ReportsFileLineAndWhatWasExpected) {
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
    DataSet data;
    const Status status = ReadGeoEas(path, &data);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.message().rfind(path + c.expected, 0), 0u)
        << c.name << ": " << status.message();
    EXPECT_EQ(status.message().find('\n'), std::string::npos) << c.name;
  }
}

TEST(GeoEasReaderTest, MissingFileNamesTheFile) {
  TempDir dir;
  DataSet data;
  const Status status = ReadGeoEas(dir.File("nowhere.dat"), &data);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find(dir.File("nowhere.dat") + ": cannot open"),
            std::string::npos)
      << status.message();
}

TEST(GeoEasReaderTest, DirectoryIsNotADataFile) {
  TempDir dir;
  DataSet data;
  const Status status = ReadGeoEas(dir.path(), &data);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(),
            dir.path() + ": expected a data file, found a directory");
}

TEST(GeoEasReaderTest, WriterOutputReadsBack) {
  DataSet data;
  data.title = "round trip";
  data.AddColumn("X", {1.25, 2.5});
  data.AddColumn("V", {std::nan(""), 7.125});
  TempDir dir;
  const std::string path = dir.File("trip.dat");
  ASSERT_TRUE(WriteGeoEasFile(data, {2, 3}, path).ok());
  EXPECT_EQ(kgtools::ReadFile(path),
            "round trip\n2\nX\nV\n1.25 -999\n2.50 7.125\n");
  DataSet back;
  ASSERT_TRUE(ReadGeoEas(path, &back).ok());
  EXPECT_EQ(back.names, data.names);
  EXPECT_TRUE(IsMissing(back.columns[1][0]));
  EXPECT_DOUBLE_EQ(back.columns[1][1], 7.125);
}

struct ColumnCase {
  const char* wanted;
  int expected;  // -1: an error
};

TEST(DataSetTest, FindsColumnsByNameOrNumber) {
  DataSet data;
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
      EXPECT_EQ(status.message(),
                std::string("unknown column \"") + c.wanted +
                    "\" in f.dat: expected a name (or its first word) or a "
                    "number from 1 to 3:\n  1  X\n  2  Copper\n  3  2")
          << c.wanted;
    } else {
      ASSERT_TRUE(status.ok()) << c.wanted << ": " << status.message();
      EXPECT_EQ(column, c.expected) << c.wanted;
    }
  }
}

}  // namespace
