// korvagraph on files shaped like real data sets: missing-value codes and
// trimming limits, description-carrying names, coordinate names, one
// attribute only, transforms through the library and warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/table.h"
#include "tools_test_util.h"

namespace korvagraph {
namespace {

using kgtools::Korvagraph;
using kgtools::ProgramRun;
using kgtools::ReadFile;
using kgtools::TempDir;

// Six samples; U uses the missing-value code 1E31 twice.
const char kSurvey[] =
    "survey\n5\nID\nXlocation  easting (m)\nYlocation  northing (m)\n"
    "V   ppm vanadium\nU   ppm\n"
    "1 10 20 3.5 1E31\n2 30 20 0.5 4.0\n3 10 40 8.0 1E31\n"
    "4 50 60 2.0 6.0\n5 20 70 1.0 5.0\n6 40 10 4.0 3.0\n";

// Returns the number that the JSON document out gives for "name", NaN when
// it has none.
double JsonNumber(const std::string& out, const std::string& name) {
  const std::string key = "\"" + name + "\": ";
  const size_t at = out.find(key);
  if (at == std::string::npos) return std::nan("");
  return std::strtod(out.c_str() + at + key.size(), nullptr);
}

struct NumberCase {
  const char* name;
  const char* args;  // after --data survey.dat --json
  const char* stat;
  double expected;
};

TEST(RealDataTest, ComputeStepsSeeTrimmedAndTransformedValues) {
  const NumberCase cases[] = {
      // 1E31 was read as data: a mean of about 4e30.
      {"1E31 is missing by default", "hist --col U", "count", 4},
      {"trimmed values are counted", "hist --col U", "values trimmed", 2},
      {"no 1E31 reaches the maximum", "hist --col U", "max", 6},
      {"--tmax trims at and above it", "hist --col U --tmax 5", "count", 2},
      {"--tmin trims below it", "hist --col V --tmin 1", "count", 5},
      {"a name matches by its first word", "hist --col v", "max", 8},
      {"log of the smallest value plus the shift",
       "hist --transform log --shift 1", "min", 0.4054651081081644},
      {"log of the largest value plus the shift",
       "hist --transform log --shift 1", "max", 2.1972245773362196},
      {"log floor for shifted values below 0.01",
       "hist --transform log --shift -1", "min", -2.2},
      {"normal score of the largest of six values", "hist --transform nscore",
       "max", 1.382994127100638},
      {"normal scores of the second attribute too",
       "scatter --transform nscore", "y mean", 0.0},
  };
  TempDir dir;
  const std::string data = dir.Write("survey.dat", kSurvey);
  for (const NumberCase& c : cases) {
    const ProgramRun run = Korvagraph(
        dir, std::string(c.args) + " --data '" + data + "' --json --out p.png");
    ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
    EXPECT_NEAR(JsonNumber(run.out, c.stat), c.expected, 1e-9)
        << c.name << ": " << run.out;
  }
}

struct TextCase {
  const char* name;
  const char* args;  // after --data FILE (the survey unless data given)
  const char* data;  // a file's text; null: the survey
  int status;
  const char* expected;  // in stdout, or in stderr for a non-zero status
};

TEST(RealDataTest, ColumnsWarningsAndConventions) {
  const TextCase cases[] = {
      // ID and Xlocation were taken as coordinates, Ylocation as the value.
      {"coordinates found by their usual names", "locmap --json", nullptr, 0,
       "\"columns\": \"V at Xlocation, Ylocation\""},
      {"a whole name line matches", "hist --col 'V   ppm vanadium' --json",
       nullptr, 0, "\"columns\": \"V\""},
      // A command-line mistake was blamed on line 2 of the data file.
      {"an unknown column lists the names", "hist --col Au", nullptr, 2,
       "\n  4  V   ppm vanadium\n  5  U   ppm\n"},
      {"a constant column is a warning", "hist",
       "c\n3\nX\nY\nV\n1 1 2\n2 3 2\n3 1 2\n", 0,
       "warning: hist: V is constant"},
      {"coordinates by position are a warning", "locmap",
       "c\n3\nA\nB\nV\n1 1 2\n4 3 4\n2 1 5\n", 0,
       "columns 1 (A) and 2 (B) are taken as x and y"},
      // A variogram without a lag of 30 pairs came out blank with exit 0.
      {"too few pairs leave the variogram out", "vario", nullptr, 2,
       "no lag of the omnidirectional variogram holds 30 pairs"},
      {"--dir must be among --dirs", "vario --dirs 10,100 --dir 45", nullptr, 2,
       "--dir: expected omni, 10 or 100"},
      // At 1600x1000 the histogram's axis title fell off the bottom unsaid.
      {"a cut axis title is a warning", "prob --size 1600x1000", nullptr, 0,
       "warning: prob: the axis title needs 35 pixels below the plot"},
      {"help after the command", "hist -h", nullptr, 0,
       "usage: korvagraph hist"},
      {"version", "--version", nullptr, 0, "korvagraph "},
  };
  for (const TextCase& c : cases) {
    TempDir dir;
    const std::string data =
        dir.Write("in.dat", c.data != nullptr ? c.data : kSurvey);
    const ProgramRun run =
        Korvagraph(dir, std::string(c.args) + " --data '" + data + "'");
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    const std::string& text =
        c.status == 0 && run.err.find(c.expected) == std::string::npos
            ? run.out
            : run.err;
    EXPECT_NE(text.find(c.expected), std::string::npos)
        << c.name << ": " << run.out << run.err;
  }
}

TEST(RealDataTest, DataFromStandardInput) {
  TempDir dir;
  const std::string data = dir.Write("survey.dat", kSurvey);
  const ProgramRun run = Korvagraph(dir, "hist --data - --json", data);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(JsonNumber(run.out, "count"), 6.0) << run.out;
}

// The gallery refused a file of one attribute, since some charts want two.
TEST(RealDataTest, OneAttributeGivesACompleteGallery) {
  TempDir dir;
  std::string text = "thickness\n1\nThk m    zone thickness in meters\n";
  for (int i = 1; i <= 40; ++i) text += std::to_string(i % 7 + 0.5 * i) + "\n";
  const std::string data = dir.Write("one.dat", text);
  const ProgramRun run =
      Korvagraph(dir, "gallery --data '" + data + "' --out g --json");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* drawn : {"hist", "cumhist", "prob", "nqq"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.File("g/") + drawn + ".png"))
        << drawn;
  }
  const std::string page = ReadFile(dir.File("g/index.html"));
  const std::string stats = ReadFile(dir.File("g/stats.json"));
  for (const char* left_out : {"qq", "scatter", "cross", "vario", "mvario",
                               "cloud", "cloudmap", "locmap"}) {
    const std::string name = left_out;
    EXPECT_NE(page.find("korvagraph " + name + ": "), std::string::npos)
        << name;
    EXPECT_NE(run.err.find(name + " left out: "), std::string::npos) << name;
    EXPECT_NE(stats.find("{\"name\": \"" + name + "\", \"reason\""),
              std::string::npos)
        << name;
  }
}

// A constant column gave a blank normal Q-Q picture with exit 0 and no word:
// now every picture in the gallery shows something, and stderr says why a
// chart is left out or shows no spread.
TEST(RealDataTest, ConstantColumnsGiveNoBlankPictures) {
  TempDir dir;
  const std::string data =
      dir.Write("flat.dat", "flat\n4\nX\nY\nV\nU\n1 1 2 1\n2 3 2 1\n3 1 2 1\n");
  const ProgramRun run = Korvagraph(dir, "gallery --out g --data " + data);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("warning: scatter: U is constant"), std::string::npos)
      << run.err;
  const ProgramRun check = Korvagraph(dir, "check-gallery g");
  EXPECT_EQ(check.status, 0) << check.err;
}

// The same data as CSV and as GeoEAS give the same gallery, numbers and
// pictures: the bundled sample written out as CSV, with its -999s.
TEST(RealDataTest, CsvGalleryEqualsTheGeoEasGallery) {
  TempDir dir;
  const std::string geoeas = std::string(KG_SOURCE_DIR) + "/data/sample.dat";
  analysis::Table table;
  ASSERT_TRUE(analysis::ReadTable(geoeas, {}, &table).ok());
  std::string csv;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    csv += (c > 0 ? "," : "") + table.names[c];
  }
  char number[32];
  for (int64_t r = 0; r < table.RowCount(); ++r) {
    csv += "\n";
    for (int c = 0; c < table.ColumnCount(); ++c) {
      const double v = table.columns[c][r];
      std::snprintf(number, sizeof(number), "%.17g", v);
      csv += std::string(c > 0 ? "," : "") + (std::isnan(v) ? "-999" : number);
    }
  }
  dir.Write("sample.csv", csv + "\n");
  const ProgramRun from_csv =
      Korvagraph(dir, "gallery --data sample.csv --out c --json");
  const ProgramRun from_geoeas =
      Korvagraph(dir, "gallery --data '" + geoeas + "' --out g --json");
  ASSERT_EQ(from_csv.status, 0) << from_csv.err;
  ASSERT_EQ(from_geoeas.status, 0) << from_geoeas.err;
  EXPECT_EQ(from_csv.out, from_geoeas.out);
  for (const char* picture : {"hist.png", "vario.png", "locmap.png"}) {
    EXPECT_EQ(ReadFile(dir.File("c/") + picture),
              ReadFile(dir.File("g/") + picture))
        << picture;
  }
}

// A lake survey's first column numbers the samples: it is passed over, with
// a warning, and V and U are charted.
TEST(RealDataTest, IdColumnOfALakeSurveyIsPassedOver) {
  TempDir dir;
  std::string csv = "Identification Number,Xlocation,Ylocation,V,U,T\n";
  for (int i = 1; i <= 40; ++i) {
    csv += std::to_string(i) + "," + std::to_string(i * 7 % 50) + "," +
           std::to_string(i * 13 % 60) + "," + std::to_string(i * i % 17) +
           "," + std::to_string(i * 3 % 11) + "," + std::to_string(i % 2) +
           "\n";
  }
  dir.Write("lake.csv", csv);
  const ProgramRun run = Korvagraph(dir, "gallery --data lake.csv --out g");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(
      run.err.find("hist, cumhist, prob, nqq: V; qq, scatter, cross: "
                   "V, U; vario, mvario, varmap, cloud, cloudmap, locmap: V at "
                   "Xlocation, Ylocation"),
      std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("warning: column 1 (Identification Number) is "
                         "passed over as an attribute"),
            std::string::npos)
      << run.err;
}

// The numbers behind the variogram charts leave with them: every lag in the
// JSON, the same rows as CSV.
TEST(RealDataTest, LagTablesInTheJsonAndAsCsv) {
  TempDir dir;
  for (const char* chart : {"vario", "mvario", "varmap"}) {
    const std::string args = std::string(chart) + " --data '" + KG_SOURCE_DIR +
                             "/data/sample.dat' --json --table t.csv --lags 5";
    const ProgramRun run = Korvagraph(dir, args);
    ASSERT_EQ(run.status, 0) << chart << ": " << run.err;
    const std::string csv = ReadFile(dir.File("t.csv"));
    const size_t rows = std::count(csv.begin(), csv.end(), '\n') - 1;
    size_t objects = 0;
    for (size_t at = run.out.find("\"table\": ["); at != std::string::npos;
         at = run.out.find("{\"", at + 1)) {
      ++objects;
    }
    EXPECT_EQ(objects - 1, rows) << chart;  // the first find is the table
    // Five lags of the omnidirectional row and four directions: 25 rows.
    if (std::string(chart) != "varmap") {
      EXPECT_EQ(rows, 25u) << chart;
    }
  }
  EXPECT_EQ(ReadFile(dir.File("t.csv")).rfind("dx,dy,semivariance,pairs\n", 0),
            0u);
}

}  // namespace
}  // namespace korvagraph
