#include "tools/korvagraph/png_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "tools/korvagraph/inflate.h"

namespace {

constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// Larger pictures are taken for a corrupt header.
constexpr uint32_t kMaxSide = 1 << 15;

uint32_t ReadBig32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) |
         p[3];
}

int ChannelsOf(int colour_type) {
  switch (colour_type) {
    case 0:
      return 1;
    case 2:
      return 3;
    case 3:
      return 1;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 0;
  }
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the per-row filters of raw (one filter byte per row) into pixels.
bool Unfilter(const std::vector<uint8_t>& raw, int width, int height, int bpp,
              std::vector<uint8_t>* pixels) {
  const size_t stride = static_cast<size_t>(width) * bpp;
  if (raw.size() != (stride + 1) * height) return false;
  pixels->assign(stride * height, 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t filter = raw[y * (stride + 1)];
    const uint8_t* in = &raw[y * (stride + 1) + 1];
    uint8_t* row = &(*pixels)[y * stride];
    const uint8_t* up = y > 0 ? row - stride : nullptr;
    for (size_t x = 0; x < stride; ++x) {
      const int a = x >= static_cast<size_t>(bpp) ? row[x - bpp] : 0;
      const int b = up ? up[x] : 0;
      const int c = (up && x >= static_cast<size_t>(bpp)) ? up[x - bpp] : 0;
      int predictor;
      switch (filter) {
        case 0:
          predictor = 0;
          break;
        case 1:
          predictor = a;
          break;
        case 2:
          predictor = b;
          break;
        case 3:
          predictor = (a + b) / 2;
          break;
        case 4:
          predictor = Paeth(a, b, c);
          break;
        default:
          return false;
      }
      row[x] = static_cast<uint8_t>(in[x] + predictor);
    }
  }
  return true;
}

}  // namespace

Status DecodePng(const std::vector<uint8_t>& file, const std::string& name,
                 PngImage* image) {
  *image = PngImage();
  if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
    return Status::Error(name + ": not a PNG file");
  }
  size_t pos = 8;
  int colour_type = -1;
  std::vector<uint8_t> palette, compressed;
  bool ended = false;
  while (!ended) {
    if (pos + 12 > file.size()) return Status::Error(name + ": truncated PNG");
    const uint32_t length = ReadBig32(&file[pos]);
    const std::string type(reinterpret_cast<const char*>(&file[pos + 4]), 4);
    if (length > file.size() - pos - 12) {
      return Status::Error(name + ": truncated PNG chunk " + type);
    }
    const uint8_t* data = &file[pos + 8];
    if (type == "IHDR") {
      if (length != 13) return Status::Error(name + ": bad PNG header");
      const uint32_t width = ReadBig32(data), height = ReadBig32(data + 4);
      const int depth = data[8];
      colour_type = data[9];
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
          ChannelsOf(colour_type) == 0) {
        return Status::Error(name + ": bad PNG header");
      }
      if (depth != 8 || data[12] != 0) {
        return Status::Error(name +
                             ": only 8-bit, non-interlaced PNGs are read");
      }
      image->width = static_cast<int>(width);
      image->height = static_cast<int>(height);
    } else if (type == "PLTE") {
      palette.assign(data, data + length);
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data, data + length);
    } else if (type == "IEND") {
      ended = true;
    }
    pos += 12 + length;
  }
  if (colour_type < 0) return Status::Error(name + ": PNG without header");
  std::vector<uint8_t> raw;
  std::string error;
  if (!ZlibInflate(compressed, &raw, &error)) {
    return Status::Error(name + ": bad PNG pixel data: " + error);
  }
  const int bpp = ChannelsOf(colour_type);
  std::vector<uint8_t> pixels;
  if (!Unfilter(raw, image->width, image->height, bpp, &pixels)) {
    return Status::Error(name + ": bad PNG rows");
  }
  if (colour_type != 3) {
    image->channels = bpp;
    image->pixels = std::move(pixels);
    return Status::Ok();
  }
  image->channels = 3;
  image->pixels.resize(pixels.size() * 3);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const size_t entry = static_cast<size_t>(pixels[i]) * 3;
    if (entry + 3 > palette.size()) {
      return Status::Error(name + ": PNG palette index out of range");
    }
    std::memcpy(&image->pixels[i * 3], &palette[entry], 3);
  }
  return Status::Ok();
}

Status ReadPng(const std::string& path, PngImage* image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return Status::Error(path + ": cannot open: " + std::strerror(errno));
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  return DecodePng(file, path, image);
}

int CountColours(const PngImage& image, int limit) {
  std::set<uint32_t> seen;
  const size_t count = image.pixels.size() / std::max(image.channels, 1);
  for (size_t i = 0; i < count && static_cast<int>(seen.size()) < limit; ++i) {
    uint32_t key = 0;
    for (int c = 0; c < image.channels; ++c) {
      key = (key << 8) | image.pixels[i * image.channels + c];
    }
    seen.insert(key);
  }
  return static_cast<int>(seen.size());
}
