#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/korvagraph/picture_output.h"
#include "tools/korvagraph/png_reader.h"
#include "tools_test_util.h"

namespace korvagraph {
namespace {

using analysis::ChartPictures;
using analysis::ImageFormat;
using analysis::PicturePath;
using analysis::Status;

TEST(ChartPicturesTest, FurtherPicturesAreNamedBesideTheMainOne) {
  const struct {
    const char* name;
    std::string main_path;
    std::string suffix;
    std::string path;
  } cases[] = {
      {"main picture", "out/locmap.png", "", "out/locmap.png"},
      {"legend", "out/locmap.png", "legend", "out/locmap-legend.png"},
      {"no extension", "map", "legend", "map-legend.png"},
      {"other extension", "map.PNG", "legend", "map.PNG-legend.png"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(PicturePath(row.main_path, row.suffix), row.path) << row.name;
  }
}

TEST(ChartPicturesTest, ChartFormatFromFormatOrExtension) {
  const struct {
    const char* name;
    std::string out, format;
    bool ok;
    std::string path;
    ImageFormat chosen;
  } cases[] = {
      {"default", "", "", true, "hist.png", ImageFormat::kPng},
      {"--format svg names the file", "", "svg", true, "hist.svg",
       ImageFormat::kSvg},
      {"extension svg", "c.svg", "", true, "c.svg", ImageFormat::kSvg},
      {"extension PDF in capitals", "c.PDF", "", true, "c.PDF",
       ImageFormat::kPdf},
      {"--format for an unknown extension", "c.img", "pdf", true, "c.img",
       ImageFormat::kPdf},
      {"contradicting --format", "c.svg", "pdf", false, "", ImageFormat::kPng},
      {"unknown --format", "", "jpeg", false, "", ImageFormat::kPng},
  };
  for (const auto& row : cases) {
    Options options;
    options.out = row.out;
    options.format = row.format;
    ChartOutput output;
    const Status status = ChooseChartOutput(options, "hist", &output);
    EXPECT_EQ(status.ok(), row.ok) << row.name << ": " << status.ToString();
    if (!row.ok || !status.ok()) continue;
    EXPECT_EQ(output.path, row.path) << row.name;
    EXPECT_EQ(output.format, row.chosen) << row.name;
  }
}

TEST(ChartPicturesTest, SavesEveryWindowInItsSize) {
  kgtools::TempDir dir;
  ChartPictures pictures(60, 50);
  CanvasWindow* legend = pictures.Add("legend", 10, 50);
  EXPECT_EQ(pictures.main()->Width(), 60);
  EXPECT_EQ(legend->Width(), 10);
  ASSERT_EQ(pictures.count(), 2);
  const std::string main_path = dir.File("m.png");
  for (int i = 0; i < pictures.count(); ++i) {
    EXPECT_TRUE(pictures.Save(i, pictures.Path(i, main_path))) << i;
  }
  PngImage image;
  ASSERT_TRUE(ReadPng(dir.File("m-legend.png"), &image).ok());
  EXPECT_EQ(image.width, 10);
  EXPECT_TRUE(std::filesystem::exists(main_path));
  // Other scales draw the picture anew at that size.
  ASSERT_TRUE(pictures.Save(0, main_path, ImageFormat::kPng, 2.0));
  ASSERT_TRUE(ReadPng(main_path, &image).ok());
  EXPECT_EQ(image.width, 120);
}

}  // namespace
}  // namespace korvagraph
