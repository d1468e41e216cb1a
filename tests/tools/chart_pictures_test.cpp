#include "tools/korvagraph/chart_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
  const struct {
    const char* name;
    ImageFormat format;
    std::string main_path;
    std::string path;
  } formats[] = {
      {"svg legend", ImageFormat::kSvg, "out/locmap.svg",
       "out/locmap-legend.svg"},
      {"pdf legend", ImageFormat::kPdf, "locmap.pdf", "locmap-legend.pdf"},
      {"pdf legend of a name without extension", ImageFormat::kPdf, "map",
       "map-legend.pdf"},
  };
  for (const auto& row : formats) {
    EXPECT_EQ(PicturePath(row.main_path, "legend", row.format), row.path)
        << row.name;
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
      {"unknown extension stays png", "c.img", "", true, "c.img",
       ImageFormat::kPng},
      {"--format for an unknown extension", "c.img", "pdf", true, "c.img",
       ImageFormat::kPdf},
      {"agreeing --format", "c.pdf", "PDF", true, "c.pdf", ImageFormat::kPdf},
      {"contradicting --format", "c.svg", "pdf", false, "", ImageFormat::kPng},
      {"unknown --format", "", "jpeg", false, "", ImageFormat::kPng},
  };
  for (const auto& row : cases) {
    Options options;
    options.out = row.out;
    options.format = row.format;
    ChartOutput output;
    const Status status = ChooseChartOutput(options, "hist", &output);
    EXPECT_EQ(status.ok(), row.ok) << row.name << ": " << status.message();
    if (!row.ok || !status.ok()) continue;
    EXPECT_EQ(output.path, row.path) << row.name;
    EXPECT_EQ(output.format, row.chosen) << row.name;
  }
}

TEST(ChartPicturesTest, GalleryFormatsFromTheList) {
  using F = ImageFormat;
  const struct {
    const char* name;
    std::string formats, format;
    bool ok;
    std::vector<ImageFormat> chosen;
  } cases[] = {
      {"default", "", "", true, {F::kPng}},
      {"all three", "png,svg,pdf", "", true, {F::kPng, F::kSvg, F::kPdf}},
      {"repeats once", "svg,SVG,png", "", true, {F::kSvg, F::kPng}},
      {"--format alone", "", "pdf", true, {F::kPdf}},
      {"--formats wins", "svg", "pdf", true, {F::kSvg}},
      {"empty name", "png,,svg", "", false, {}},
      {"unknown name", "png,gif", "", false, {}},
  };
  for (const auto& row : cases) {
    Options options;
    options.formats = row.formats;
    options.format = row.format;
    std::vector<ImageFormat> formats;
    const Status status = ChooseGalleryFormats(options, &formats);
    EXPECT_EQ(status.ok(), row.ok) << row.name << ": " << status.message();
    if (row.ok) {
      EXPECT_EQ(formats, row.chosen) << row.name;
    }
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
  // Other formats and scales.
  const struct {
    const char* name;
    ImageFormat format;
    double scale;
    const char* head;
  } saves[] = {{"svg", ImageFormat::kSvg, 1, "<?xml"},
               {"pdf", ImageFormat::kPdf, 1, "%PDF"},
               {"png at twice the size", ImageFormat::kPng, 2, "\x89PNG"}};
  for (const auto& row : saves) {
    const std::string path = dir.File(row.name);
    ASSERT_TRUE(pictures.Save(1, path, row.format, row.scale)) << row.name;
    EXPECT_EQ(kgtools::ReadFile(path).rfind(row.head, 0), 0u) << row.name;
  }
  ASSERT_TRUE(ReadPng(dir.File("png at twice the size"), &image).ok());
  EXPECT_EQ(image.width, 20);
}

}  // namespace
