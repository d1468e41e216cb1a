#include "tools/korvagraph/png_reader.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

namespace korvagraph {

using analysis::Status;

namespace {

// Larger pictures are taken for a corrupt header.
constexpr png_uint_32 kMaxSide = 1 << 15;

// libpng's simplified reader, freed on every path.
struct PngImageReader {
  png_image image{};
  PngImageReader() { image.version = PNG_IMAGE_VERSION; }
  ~PngImageReader() { png_image_free(&image); }
  PngImageReader(const PngImageReader&) = delete;
  PngImageReader& operator=(const PngImageReader&) = delete;
};

Status Failed(const std::string& name, const png_image& image) {
  return Status::Failure(name + ": not a readable PNG: " + image.message);
}

}  // namespace

Status DecodePng(const std::vector<uint8_t>& file, const std::string& name,
                 PngImage* image) {
  constexpr size_t kSignatureSize = 8;
  if (file.size() < kSignatureSize ||
      png_sig_cmp(file.data(), 0, kSignatureSize) != 0) {
    return Status::Failure(name + ": not a PNG file");
  }
  PngImageReader reader;
  png_image& png = reader.image;
  if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) {
    return Failed(name, png);
  }
  if (png.width > kMaxSide || png.height > kMaxSide) {
    return Status::Failure(name + ": PNG larger than " +
                           std::to_string(kMaxSide) + " pixels a side");
  }
  // 8-bit samples of the file's own channels; palettes become RGB(A).
  png.format &= ~(PNG_FORMAT_FLAG_COLORMAP | PNG_FORMAT_FLAG_LINEAR);
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    return Failed(name, png);
  }
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  image->channels = static_cast<int>(PNG_IMAGE_PIXEL_CHANNELS(png.format));
  image->pixels = std::move(pixels);
  return Status::Ok();
}

Status ReadPng(const std::string& path, PngImage* image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return Status::Failure(path + ": cannot open: " + std::strerror(errno));
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

}  // namespace korvagraph
