#include "tools/korvagraph/png_reader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "tools_test_util.h"

namespace {

void PutBig32(uint32_t v, std::vector<uint8_t>* out) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(v >> shift);
}

void PutChunk(const std::string& type, const std::vector<uint8_t>& data,
              std::vector<uint8_t>* out) {
  PutBig32(data.size(), out);
  std::vector<uint8_t> body(type.begin(), type.end());
  body.insert(body.end(), data.begin(), data.end());
  out->insert(out->end(), body.begin(), body.end());
  PutBig32(crc32(0, body.data(), body.size()), out);
}

// A hand-made PNG of one row of pixels (each row's filter byte is 0),
// compressed at the given zlib level (0: stored blocks).
std::vector<uint8_t> OneRowPng(int width, int colour_type,
                               const std::vector<uint8_t>& palette,
                               const std::vector<uint8_t>& row, int level) {
  std::vector<uint8_t> file = {137, 80, 78, 71, 13, 10, 26, 10};
  std::vector<uint8_t> header;
  PutBig32(width, &header);
  PutBig32(1, &header);
  header.insert(header.end(), {8, static_cast<uint8_t>(colour_type), 0, 0, 0});
  PutChunk("IHDR", header, &file);
  if (!palette.empty()) PutChunk("PLTE", palette, &file);
  std::vector<uint8_t> raw = {0};
  raw.insert(raw.end(), row.begin(), row.end());
  uLongf size = compressBound(raw.size());
  std::vector<uint8_t> packed(size);
  compress2(packed.data(), &size, raw.data(), raw.size(), level);
  packed.resize(size);
  PutChunk("IDAT", packed, &file);
  PutChunk("IEND", {}, &file);
  return file;
}

// Two pixels, one red and one green, stored uncompressed.
std::vector<uint8_t> TwoPixelPng() {
  return OneRowPng(2, 2, {}, {255, 0, 0, 0, 255, 0}, 0);
}

TEST(PngReaderTest, DecodesHandMadePictures) {
  struct {
    const char* name;
    std::vector<uint8_t> file;
    int channels;
    std::vector<uint8_t> pixels;
  } cases[] = {
      {"rgb, stored", TwoPixelPng(), 3, {255, 0, 0, 0, 255, 0}},
      {"rgb, compressed",
       OneRowPng(2, 2, {}, {255, 0, 0, 0, 255, 0}, 9),
       3,
       {255, 0, 0, 0, 255, 0}},
      {"grey", OneRowPng(3, 0, {}, {0, 128, 255}, 6), 1, {0, 128, 255}},
      {"palette",
       OneRowPng(2, 3, {10, 20, 30, 40, 50, 60}, {1, 0}, 6),
       3,
       {40, 50, 60, 10, 20, 30}},
      {"rgba", OneRowPng(1, 6, {}, {1, 2, 3, 4}, 6), 4, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    PngImage image;
    const Status status = DecodePng(c.file, c.name, &image);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.message();
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
    EXPECT_EQ(status.message().rfind("x.png: ", 0), 0u)
        << c.name << ": " << status.message();
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
  ASSERT_TRUE(status.ok()) << status.message();
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
