// Runs the korvagraph program as a user would: the gallery into a temporary
// folder, single charts, and every kind of bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/canvas_window.h"
#include "tools/korvagraph/gallery_check.h"
#include "tools/korvagraph/png_reader.h"
#include "tools_test_util.h"

namespace {

namespace fs = std::filesystem;
using kgtools::Korvagraph;
using kgtools::ProgramRun;
using kgtools::ReadFile;
using kgtools::TempDir;

const std::string kSample = std::string(KG_SOURCE_DIR) + "/data/sample.dat";
const char* const kCharts[] = {"hist",   "cumhist", "prob",     "nqq",
                               "qq",     "scatter", "cross",    "vario",
                               "mvario", "cloud",   "cloudmap", "locmap"};
// Every picture of the gallery: one per chart, and the location map's
// legend.
const char* const kPictures[] = {
    "hist.png",         "cumhist.png", "prob.png",     "nqq.png",
    "qq.png",           "scatter.png", "cross.png",    "vario.png",
    "mvario.png",       "cloud.png",   "cloudmap.png", "locmap.png",
    "locmap-legend.png"};

bool NotBlank(const std::string& path) {
  PngImage image;
  return ReadPng(path, &image).ok() && CountColours(image, 2) > 1;
}

TEST(KorvagraphProgramTest, GalleryDrawsEveryChart) {
  TempDir dir;
  const ProgramRun run =
      Korvagraph(dir, "gallery --data '" + kSample + "' --out gallery");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string gallery = dir.File("gallery");
  for (const char* picture : kPictures) {
    const std::string png = gallery + "/" + picture;
    EXPECT_TRUE(fs::exists(png)) << picture;
    EXPECT_TRUE(NotBlank(png)) << picture;
  }
  int checked = 0;
  std::vector<std::string> problems;
  ASSERT_TRUE(CheckGallery(gallery, &checked, &problems).ok());
  EXPECT_EQ(checked, static_cast<int>(std::size(kPictures)));
  EXPECT_TRUE(problems.empty()) << problems.front();
  const std::string index = ReadFile(gallery + "/index.html");
  for (const char* name : {"count",
                           "left out",
                           "mean",
                           "std dev",
                           "max",
                           "upper quartile",
                           "median",
                           "lower quartile",
                           "min",
                           "coefficient of variation",
                           "kurtosis",
                           "skewness",
                           "point count",
                           "pair count",
                           "score range",
                           "x",
                           "x count",
                           "x mean",
                           "x std dev",
                           "y",
                           "y count",
                           "y mean",
                           "y std dev",
                           "correlation",
                           "rank correlation",
                           "fit slope",
                           "model range",
                           "azimuth 135 (orange): pairs drawn",
                           "pairs",
                           "largest semivariance",
                           "pairs in cyan",
                           "samples",
                           "Copper window",
                           "legend top (red)"}) {
    EXPECT_NE(index.find("<td>" + std::string(name) + "</td>"),
              std::string::npos)
        << name;
  }
  EXPECT_NE(run.out.find("12 charts in gallery/index.html"), std::string::npos)
      << run.out;
  // Nothing but the gallery was left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()),
                          fs::directory_iterator()),
            1);
  const ProgramRun check = Korvagraph(dir, "check-gallery gallery");
  EXPECT_EQ(check.status, 0) << check.err;
}

TEST(KorvagraphProgramTest, SingleChartWritesItsPictureAndStatistics) {
  TempDir dir;
  const ProgramRun run = Korvagraph(
      dir, "hist --data '" + kSample + "' --col Zinc --classes 8 --out z.png");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(NotBlank(dir.File("z.png")));
  EXPECT_NE(run.out.find("  count: 288\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  classes: 8\n"), std::string::npos) << run.out;

  const ProgramRun vario = Korvagraph(
      dir, "vario --data '" + kSample + "' --dir 45 --model 0,250,333");
  ASSERT_EQ(vario.status, 0) << vario.err;
  EXPECT_TRUE(NotBlank(dir.File("vario.png")));
  EXPECT_NE(vario.out.find("  direction: azimuth 45\n"), std::string::npos);
  EXPECT_NE(vario.out.find("  model range: 333\n"), std::string::npos);
}

TEST(KorvagraphProgramTest, SingleChartsReportWhatTheirComputeStepsReturn) {
  const struct {
    const char* name;
    const char* args;
    std::vector<std::string> pictures;
    std::vector<std::string> lines;  // expected in the output
  } cases[] = {
      {"probability plot", "prob", {"prob.png"}, {"  point count: 300\n"}},
      {"normal scores of 300 values",
       "nqq",
       {"nqq.png"},
       {"  pair count: 300\n", "  score range: -2.9352 to 2.9352\n"}},
      {"Q-Q skips each attribute's missing values",
       "qq",
       {"qq.png"},
       {"  x: Copper\n", "  x count: 300\n", "  y: Zinc\n",
        "  y count: 288\n"}},
      {"scatter of the samples holding both",
       "scatter --out s.png",
       {"s.png"},
       {"  x count: 288\n", "  y count: 288\n"}},
      {"cloud of every pair",
       "cloud --highlight 5",
       {"cloud.png"},
       {"  pairs: 44850\n", "  pairs in cyan: 5\n"}},
      {"cloud map", "cloudmap", {"cloudmap.png"}, {"  samples: 300\n"}},
      {"location map and its legend",
       "locmap --out map.png",
       {"map.png", "map-legend.png"},
       {"locmap: map.png, map-legend.png\n"}},
  };
  for (const auto& row : cases) {
    TempDir dir;
    const ProgramRun run =
        Korvagraph(dir, std::string(row.args) + " --data '" + kSample + "'");
    ASSERT_EQ(run.status, 0) << row.name << ": " << run.err;
    for (const std::string& picture : row.pictures) {
      EXPECT_TRUE(NotBlank(dir.File(picture))) << row.name << ": " << picture;
    }
    for (const std::string& line : row.lines) {
      EXPECT_NE(run.out.find(line), std::string::npos)
          << row.name << ": " << line << " in " << run.out;
    }
  }
}

TEST(KorvagraphProgramTest, ChartsOfTwoAttributesNeedASecondColumn) {
  TempDir dir;
  const std::string data =
      dir.Write("one.dat", "T\n3\nX\nY\nV\n1 2 3\n4 5 6\n");
  for (const char* chart : {"qq", "scatter"}) {
    const ProgramRun run =
        Korvagraph(dir, std::string(chart) + " --data '" + data + "'");
    EXPECT_EQ(run.status, 2) << chart;
    EXPECT_NE(run.err.find("expected a second attribute column"),
              std::string::npos)
        << chart << ": " << run.err;
  }
}

TEST(KorvagraphProgramTest, HelpForEveryCommand) {
  TempDir dir;
  const ProgramRun usage = Korvagraph(dir, "--help");
  EXPECT_EQ(usage.status, 0);
  for (const char* chart : kCharts) {
    EXPECT_NE(usage.out.find(std::string("  ") + chart + " "),
              std::string::npos)
        << chart;
    const ProgramRun help = Korvagraph(dir, std::string(chart) + " --help");
    EXPECT_EQ(help.status, 0) << chart;
    EXPECT_NE(help.out.find(std::string("usage: korvagraph ") + chart),
              std::string::npos)
        << chart;
  }
  EXPECT_EQ(Korvagraph(dir, "gallery --help").status, 0);
  EXPECT_EQ(Korvagraph(dir, "").status, 2);
  const ProgramRun unknown = Korvagraph(dir, "pie");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown command \"pie\""), std::string::npos);
}

struct BadInput {
  const char* name;
  const char* file_text;  // null: the file does not exist
  const char* extra_args;
  const char* expected;  // after "korvagraph: <path>"
};

TEST(KorvagraphProgramTest, BadInputExitsTwoAndLeavesNoOutput) {
  const BadInput cases[] = {
      {"missing file", nullptr, "", ": cannot open the data file"},
      {"bad header", "T\nthree\nA\n", "", ":2: expected the number of columns"},
      {"short row", "T\n3\nX\nY\nV\n1 2 3\n4 5\n", "",
       ":7: expected 3 values, one per column, found 2"},
      {"non-number", "T\n3\nX\nY\nV\n1 2 abc\n", "",
       ":6: expected a number in column 3 (V), found \"abc\""},
      {"empty data set", "T\n3\nX\nY\nV\n", "",
       ":6: expected at least one row"},
      {"all values missing", "T\n4\nX\nY\nV\nW\n1 2 -999 1\n3 4 -999 2\n", "",
       ":7: expected rows with V"},
  };
  for (const BadInput& c : cases) {
    TempDir dir;
    const std::string data = dir.File("in.dat");
    if (c.file_text != nullptr) dir.Write("in.dat", c.file_text);
    for (const char* command : {"gallery --out out", "hist --out h.png"}) {
      const ProgramRun run = Korvagraph(
          dir, std::string(command) + " --data '" + data + "' " + c.extra_args);
      EXPECT_EQ(run.status, 2) << c.name << " / " << command;
      EXPECT_EQ(run.err.rfind("korvagraph: " + data + c.expected, 0), 0u)
          << c.name << " / " << command << ": " << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1)
          << c.name << ": " << run.err;
      // Only the data file remains: no gallery, picture or staging folder.
      EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()),
                              fs::directory_iterator()),
                c.file_text != nullptr ? 1 : 0)
          << c.name << " / " << command;
    }
  }
}

TEST(KorvagraphProgramTest, GalleryWillNotOverwriteUnrelatedFiles) {
  TempDir dir;
  fs::create_directory(dir.File("docs"));
  dir.Write("docs/notes.txt", "mine");
  const ProgramRun run =
      Korvagraph(dir, "gallery --data '" + kSample + "' --out docs");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(ReadFile(dir.File("docs/notes.txt")), "mine");
}

TEST(KorvagraphProgramTest, CheckGalleryFailsOnMissingOrBlankPictures) {
  TempDir dir;
  ASSERT_EQ(Korvagraph(dir, "gallery --data '" + kSample + "' --out g").status,
            0);
  fs::remove(dir.File("g/cross.png"));
  CanvasWindow blank(40, 30);  // only the background: what a failed draw shows
  ASSERT_TRUE(blank.SavePng(dir.File("g/hist.png")));
  const ProgramRun run = Korvagraph(dir, "check-gallery g");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cross.png: cannot open"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("hist.png: blank"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("11 of 13 pictures drawn"), std::string::npos)
      << run.out;
}

}  // namespace
