#include "tools/korvagraph/png_reader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "tools_test_util.h"

namespace korvagraph {
namespace {

using analysis::Status;

// A picture of one row of 8-bit pixels in the given libpng format (grey,
// RGB, RGBA; with PNG_FORMAT_FLAG_COLORMAP, indices into the palette),
// encoded in memory.
std::vector<uint8_t> OneRowPng(png_uint_32 format, int width,
                               const std::vector<uint8_t>& row,
                               const std::vector<uint8_t>& palette = {}) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = 1;
  image.format = format;
  image.colormap_entries = palette.size() / 3;
  png_alloc_size_t size = 0;
  const void* map = palette.empty() ? nullptr : palette.data();
  png_image_write_get_memory_size(image, size, 0, row.data(), 0, map);
  std::vector<uint8_t> file(size);
  png_image_write_to_memory(&image, file.data(), &size, 0, row.data(), 0, map);
  return file;
}

// Two pixels, one red and one green.
std::vector<uint8_t> TwoPixelPng() {
  return OneRowPng(PNG_FORMAT_RGB, 2, {255, 0, 0, 0, 255, 0});
}

TEST(PngReaderTest, DecodesEachColourType) {
  struct {
    const char* name;
    std::vector<uint8_t> file;
    int channels;
    std::vector<uint8_t> pixels;
  } cases[] = {
      {"rgb", TwoPixelPng(), 3, {255, 0, 0, 0, 255, 0}},
      {"grey", OneRowPng(PNG_FORMAT_GRAY, 3, {0, 128, 255}), 1, {0, 128, 255}},
      {"palette",
       OneRowPng(PNG_FORMAT_RGB_COLORMAP, 2, {1, 0}, {10, 20, 30, 40, 50, 60}),
       3,
       {40, 50, 60, 10, 20, 30}},
      {"rgba", OneRowPng(PNG_FORMAT_RGBA, 1, {1, 2, 3, 4}), 4, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    PngImage image;
    const Status status = DecodePng(c.file, c.name, &image);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.ToString();
    EXPECT_EQ(image.width, static_cast<int>(c.pixels.size()) / c.channels)
        << c.name;
    EXPECT_EQ(image.height, 1) << c.name;
    EXPECT_EQ(image.channels, c.channels) << c.name;
    EXPECT_EQ(image.pixels, c.pixels) << c.name;
  }
}

TEST(PngReaderTest, CountsColoursUpToTheLimit) {
  PngImage image;
  ASSERT_TRUE(DecodePng(TwoPixelPng(), "two.png", &image).ok());
  EXPECT_EQ(CountColours(image, 10), 2);
  EXPECT_EQ(CountColours(image, 1), 1);
}

TEST(PngReaderTest, RejectsWhatIsNotAPicture) {
  std::vector<uint8_t> cut = TwoPixelPng();
  cut.resize(40);
  std::vector<uint8_t> bad_crc = TwoPixelPng();
  bad_crc[29] ^= 1;  // first byte of the header chunk's checksum
  struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"empty", {}},
      {"garbage", {1, 2, 3}},
      {"truncated", cut},
      {"bad checksum", bad_crc},
  };
  for (const auto& c : cases) {
    PngImage image;
    const Status status = DecodePng(c.file, "x.png", &image);
    EXPECT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.ToString().rfind("x.png: ", 0), 0u)
        << c.name << ": " << status.ToString();
  }
  PngImage image;
  EXPECT_FALSE(ReadPng("/nonexistent/picture.png", &image).ok());
}

// The platform's PNG writer and this reader agree pixel for pixel on a
// drawn chart (whatever compression the writer chose).
TEST(PngReaderTest, ReadsBackWhatTheCanvasSaved) {
  CanvasWindow window(120, 90);
  std::vector<double> x = {1, 2, 3, 4}, y = {2, 1, 4, 3};
  CKorvaGraph* graph = _kvCreateKvGraphObj(8);
  _kvGraphLoadCrosData(graph, x.data(), y.data(), 4);
  _kvGraphSetDataExtr(graph, 0, 5);
  _kvGraphSetFitLine(graph, 0.5, 1);
  _kvGraphDrawCrosPlt(graph, window.Wnd());
  _kvDeleteKvGraphObj(graph);

  kgtools::TempDir dir;
  const std::string path = dir.File("chart.png");
  ASSERT_TRUE(window.SavePng(path));
  PngImage image;
  const Status status = ReadPng(path, &image);
  ASSERT_TRUE(status.ok()) << status.ToString();
  ASSERT_EQ(image.width, 120);
  ASSERT_EQ(image.height, 90);
  ASSERT_GE(image.channels, 3);
  int mismatches = 0;
  for (int py = 0; py < 90; ++py) {
    for (int px = 0; px < 120; ++px) {
      const COLORREF c = window.Pixel(px, py);
      const uint8_t* p = &image.pixels[(py * 120 + px) * image.channels];
      if (p[0] != (c & 0xFF) || p[1] != ((c >> 8) & 0xFF) ||
          p[2] != ((c >> 16) & 0xFF)) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(CountColours(image, 3), 2);
}

}  // namespace
}  // namespace korvagraph
