// korvagraph's picture formats as a user meets them: a single chart as SVG
// or PDF, and a gallery in every format with its page showing the SVGs and
// linking the rest.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools_test_util.h"

namespace korvagraph {
namespace {

using kgtools::Korvagraph;
using kgtools::ProgramRun;
using kgtools::ReadFile;
using kgtools::TempDir;

// Regression: --out chart.svg wrote PNG bytes into the .svg file. The file's
// extension (or --format) now chooses what is written.
TEST(PictureFormatsTest, SingleChartWritesTheFormatItsNameSays) {
  const struct {
    const char* name;
    std::string args;
    std::string file;
    std::string head;
  } cases[] = {
      {"svg by extension", "cloud --out chart.svg", "chart.svg", "<?xml"},
      {"pdf by extension", "hist --out chart.pdf", "chart.pdf", "%PDF"},
      {"legend beside the map", "locmap --format pdf", "locmap-legend.pdf",
       "%PDF"},
  };
  for (const auto& row : cases) {
    TempDir dir;
    const ProgramRun run = Korvagraph(dir, row.args + " --quiet");
    ASSERT_EQ(run.status, 0) << row.name << ": " << run.err;
    EXPECT_EQ(ReadFile(dir.File(row.file)).rfind(row.head, 0), 0u) << row.name;
  }
}

TEST(PictureFormatsTest, GalleryInEveryFormat) {
  TempDir dir;
  const ProgramRun run =
      Korvagraph(dir, "gallery --out g --formats png,svg,pdf --quiet");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string page = ReadFile(dir.File("g/index.html"));
  const char* const shown[] = {"hist.svg", "locmap.svg", "locmap-legend.svg"};
  for (const char* svg : shown) {
    EXPECT_NE(page.find(std::string("<img src=\"") + svg + "\""),
              std::string::npos)
        << svg;
  }
  const char* const linked[] = {"hist.png", "hist.pdf", "locmap-legend.pdf"};
  for (const char* file : linked) {
    EXPECT_NE(page.find(std::string("<a href=\"") + file + "\""),
              std::string::npos)
        << file;
    EXPECT_TRUE(std::filesystem::exists(dir.File(std::string("g/") + file)))
        << file;
  }
}

}  // namespace
}  // namespace korvagraph
