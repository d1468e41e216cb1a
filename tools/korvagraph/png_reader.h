// Reads PNG pictures (any bit depth, colour type or interlacing libpng reads)
// into memory as 8-bit samples, to check what a chart drew. Palette pictures
// are expanded to RGB (RGBA when the palette has transparency).
#ifndef TOOLS_KORVAGRAPH_PNG_READER_H_
#define TOOLS_KORVAGRAPH_PNG_READER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"

namespace korvagraph {

struct PngImage {
  int width = 0;
  int height = 0;
  int channels = 0;             // bytes per pixel: 1 grey, 2 grey + alpha,
                                // 3 RGB, 4 RGBA
  std::vector<uint8_t> pixels;  // rows top to bottom, no padding
};

// Decodes a PNG held in memory; name is used in messages.
analysis::Status DecodePng(const std::vector<uint8_t>& file,
                           const std::string& name, PngImage* image);

// Reads and decodes the PNG file at path.
analysis::Status ReadPng(const std::string& path, PngImage* image);

// Returns the number of distinct pixel values, counting no further than
// limit (so a busy picture is not scanned to the end).
int CountColours(const PngImage& image, int limit);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_PNG_READER_H_
