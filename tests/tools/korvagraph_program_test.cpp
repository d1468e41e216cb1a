// Runs the korvagraph program as a user would: the gallery into a temporary
// folder, single charts, and every kind of bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "korvagraph/canvas_window.h"
#include "tools/korvagraph/gallery_check.h"
#include "tools/korvagraph/png_reader.h"
#include "tools_test_util.h"

namespace korvagraph {
namespace {

using analysis::Status;

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
    "hist.png",     "cumhist.png", "prob.png",          "nqq.png",
    "qq.png",       "scatter.png", "cross.png",         "vario.png",
    "mvario.png",   "varmap.png",  "varmap-legend.png", "cloud.png",
    "cloudmap.png", "locmap.png",  "locmap-legend.png"};

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
  EXPECT_NE(run.out.find("13 charts in gallery/index.html"), std::string::npos)
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
  EXPECT_NE(usage.out.find("  serve "), std::string::npos);
  const ProgramRun serve = Korvagraph(dir, "serve --help");
  EXPECT_EQ(serve.status, 0);
  EXPECT_NE(serve.out.find("usage: korvagraph serve"), std::string::npos);
  const ProgramRun port = Korvagraph(dir, "serve --port 70000");
  EXPECT_EQ(port.status, 2);
  EXPECT_NE(port.err.find("--port: expected a whole number"),
            std::string::npos);
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

// Regressions from hostile data files: tiny spans and huge magnitudes drew
// blank pictures with exit 0, raw escape bytes reached the terminal, and
// subnormal coordinate differences were undefined behaviour. Each chart now
// draws (status 0 and a picture that is not blank) or says why not.
TEST(KorvagraphProgramTest, HostileFilesDrawOrSayWhyNot) {
  const std::string kTiny = "T\n3\nx\ny\nCu\n0 0 1e-6\n1 0 5e-6\n0 1 9e-6\n";
  const std::string kHuge = "T\n3\nx\ny\nCu\n0 0 1e200\n1 0 5e200\n0 1 9e200\n";
  struct Row {
    const char* name;
    std::string file_text;
    const char* command;
    int status;
    const char* message;  // in the one line on stderr
  } rows[] = {
      {"tiny span: hist", kTiny, "hist", 0, ""},
      {"tiny span: cumhist", kTiny, "cumhist", 0, ""},
      {"tiny span: prob", kTiny, "prob", 0, ""},
      {"tiny span: nqq", kTiny, "nqq", 0, ""},
      {"huge: hist", kHuge, "hist --tmax 1e308", 0, ""},
      {"huge: nqq", kHuge, "nqq --tmax 1e308", 0, ""},
      {"huge: vario", kHuge, "vario --tmax 1e308", 2,
       "squared differences overflow"},
      {"huge: cloud", kHuge, "cloud --tmax 1e308", 2,
       "squared differences overflow"},
      {"constant: nqq", "T\n3\nx\ny\nCu\n0 0 5\n1 1 5\n", "nqq", 2,
       "every present value is 5"},
      {"subnormal apart: cloud", "T\n3\nx\ny\nCu\n0 0 1\n1e-323 0 2\n", "cloud",
       0, ""},
      {"escape bytes", "T\n3\nx\ny\nCu\n0 0 \x1B]0;owned\x07\n", "hist", 2,
       "found \"\\x1B]0;owned\\x07\""},
  };
  for (const Row& row : rows) {
    TempDir dir;
    dir.Write("in.dat", row.file_text);
    const ProgramRun run = Korvagraph(
        dir, std::string(row.command) + " --data in.dat --out p.png");
    EXPECT_EQ(run.status, row.status) << row.name << ": " << run.err;
    if (row.status == 0) {
      EXPECT_TRUE(NotBlank(dir.File("p.png"))) << row.name;
    } else {
      EXPECT_NE(run.err.find(row.message), std::string::npos)
          << row.name << ": " << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1)
          << row.name;
      EXPECT_EQ(run.err.find('\x1B'), std::string::npos) << row.name;
      EXPECT_FALSE(fs::exists(dir.File("p.png"))) << row.name;
    }
  }
}

// Regression: std::bad_alloc from the pair computations was never caught;
// the program died on signal 6 and left its staging folder behind.
TEST(KorvagraphProgramTest, OutOfMemoryIsOneLineAndExitOne) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer runtime reserves more than the limit";
#endif
  TempDir dir;
  std::string text = "T\n3\nx\ny\nCu\n";
  for (int i = 0; i < 20000; ++i) {
    text += std::to_string(i % 173) + " " + std::to_string(i / 173) + " " +
            std::to_string(i % 7) + "\n";
  }
  dir.Write("big.dat", text);
  // Every pair of 20,000 samples in the cloud needs gigabytes; allow 1.5 GB.
  const std::string command =
      "cd '" + dir.path() + "' && ulimit -v 1500000 && '" + KORVAGRAPH_PROGRAM +
      "' cloud --data big.dat --cloud-max 1000000000 --out c.png 2>err.txt";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "killed by a signal";
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  const std::string err = ReadFile(dir.File("err.txt"));
  EXPECT_EQ(err.rfind("korvagraph: out of memory", 0), 0u) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  // Nothing but the data and the message.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()),
                          fs::directory_iterator()),
            2);
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
  EXPECT_NE(run.out.find("13 of 15 pictures drawn"), std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace korvagraph
