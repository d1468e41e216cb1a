#include "tools/korvagraph/png_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "include/KorvaGraphLib.h"
#include "platform/canvas_window.h"
#include "tools/korvagraph/inflate.h"
#include "tools_test_util.h"

namespace {

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

struct InflateCase {
  const char* name;
  std::vector<uint8_t> stream;
  std::string expected;
};

TEST(InflateTest, DecodesEachBlockKind) {
  const InflateCase cases[] = {
      {"stored",
       {0x78, 0x01, 0x01, 0x03, 0x00, 0xfc, 0xff, 'a', 'b', 'c', 0x02, 0x4d,
        0x01, 0x27},
       "abc"},
      {"fixed codes",
       {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x27},
       "abc"},
      {"dynamic codes",
       {0x78, 0xda, 0x3d, 0x8e, 0x81, 0x11, 0x40, 0x21, 0x08, 0x42, 0x57, 0x61,
        0x35, 0x49, 0xf6, 0x5f, 0xe1, 0x03, 0x75, 0xdf, 0xae, 0x3c, 0x9f, 0x88,
        0x91, 0x9a, 0x1d, 0x07, 0x31, 0x27, 0xf9, 0xb0, 0xb9, 0xac, 0x9c, 0x8f,
        0xd2, 0x98, 0x29, 0xf3, 0x10, 0x1c, 0xa0, 0xe0, 0xb8, 0x79, 0x9e, 0x7e,
        0x29, 0x9f, 0x8d, 0x2a, 0x6a, 0x5d, 0x7d, 0x2d, 0xec, 0x3f, 0x85, 0xdc,
        0xf8, 0x83, 0xb7, 0xb4, 0x71, 0xee, 0x8e, 0x16, 0x36, 0x25, 0xc2, 0xda,
        0x05, 0xa5, 0x7f, 0x19, 0x0b, 0x3c, 0x6b, 0x4f, 0x47, 0x26, 0xe8, 0x9f,
        0x2b, 0xbe, 0xd9, 0xa5, 0x0f, 0xdf, 0x1c, 0x48, 0xe8},
       "bbeadaaaab acaaaacbacaaadaaaaaaaabbaaaacbabcaababbababbb ba  aababcacbc"
       "adaaaaadbebebdabbacaabebabbabbbaaab aaacaabbdcaaa baaacaacbaacbadaed b "
       "bb caaca baa beebababbb bbbaa bbbdbebbbbcbadbbeaeaab bacae"},
  };
  for (const InflateCase& c : cases) {
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(ZlibInflate(c.stream, &out, &error)) << c.name << ": " << error;
    EXPECT_EQ(Text(out), c.expected) << c.name;
  }
}

TEST(InflateTest, RejectsDamagedStreams) {
  const std::vector<uint8_t> good = {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06,
                                     0x00, 0x02, 0x4d, 0x01, 0x27};
  struct {
    const char* name;
    std::vector<uint8_t> stream;
  } cases[] = {
      {"empty", {}},
      {"bad header", {0x79, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0, 0, 0, 0}},
      {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 5)},
      {"bad checksum",
       {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x28}},
      {"bad block type", {0x78, 0x9c, 0x07, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_FALSE(ZlibInflate(c.stream, &out, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
}

// A 2 x 1 RGB picture, one red and one green pixel, in a stored block.
std::vector<uint8_t> TwoPixelPng() {
  return {137,  80,   78,   71,  13,  10,  26,  10,  0,    0,    0,    13,
          'I',  'H',  'D',  'R', 0,   0,   0,   2,   0,    0,    0,    1,
          8,    2,    0,    0,   0,   0,   0,   0,   0,  // CRC, not checked
          0,    0,    0,    18,  'I', 'D', 'A', 'T', 0x78, 0x01, 0x01, 0x07,
          0x00, 0xf8, 0xff, 0,   255, 0,   0,   0,   255,  0,    0x07, 0xff,
          0x01, 0xff, 0,    0,   0,   0,   0,   0,   0,    0,    'I',  'E',
          'N',  'D',  0,    0,   0,   0};
}

TEST(PngReaderTest, DecodesAHandMadePicture) {
  PngImage image;
  const Status status = DecodePng(TwoPixelPng(), "two.png", &image);
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.channels, 3);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0}));
  EXPECT_EQ(CountColours(image, 10), 2);
  EXPECT_EQ(CountColours(image, 1), 1);
}

TEST(PngReaderTest, RejectsWhatIsNotAPicture) {
  PngImage image;
  EXPECT_FALSE(DecodePng({1, 2, 3}, "x", &image).ok());
  std::vector<uint8_t> cut = TwoPixelPng();
  cut.resize(40);
  EXPECT_FALSE(DecodePng(cut, "x", &image).ok());
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
      if (p[0] != GetRValue(c) || p[1] != GetGValue(c) ||
          p[2] != GetBValue(c)) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(CountColours(image, 3), 2);
}

}  // namespace
