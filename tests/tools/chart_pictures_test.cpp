#include "tools/korvagraph/chart_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/korvagraph/png_reader.h"
#include "tools_test_util.h"

namespace {

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
}

}  // namespace
