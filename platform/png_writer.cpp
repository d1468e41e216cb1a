#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Owns libpng's write and info structures.
class PngWriteStruct {
 public:
  PngWriteStruct() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr,
                                   nullptr);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }
  PngWriteStruct(const PngWriteStruct&) = delete;
  PngWriteStruct& operator=(const PngWriteStruct&) = delete;

  bool ok() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

void ToRgb(const COLORREF* pixels, int width, png_byte* rgb) {
  for (int x = 0; x < width; ++x) {
    rgb[3 * x] = GetRValue(pixels[x]);
    rgb[3 * x + 1] = GetGValue(pixels[x]);
    rgb[3 * x + 2] = GetBValue(pixels[x]);
  }
}

// libpng reports errors by longjmp to here; every object with a destructor
// is created before setjmp, so the jump skips none.
bool Encode(const Raster& raster, std::FILE* file, PngWriteStruct& png,
            std::vector<png_byte>& row) {
  if (setjmp(png_jmpbuf(png.png()))) return false;
  png_init_io(png.png(), file);
  png_set_IHDR(png.png(), png.info(), raster.width(), raster.height(), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Charts are flat colour and hard edges: the fastest level without a row
  // filter saves quickest and, for a dense cloud of markers, smallest.
  png_set_compression_level(png.png(), Z_BEST_SPEED);
  png_set_filter(png.png(), PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png.png(), png.info());
  for (int y = 0; y < raster.height(); ++y) {
    ToRgb(raster.Row(y), raster.width(), row.data());
    png_write_row(png.png(), row.data());
  }
  png_write_end(png.png(), nullptr);
  return true;
}

}  // namespace

bool WritePng(const Raster& raster, const std::string& path) {
  if (raster.width() == 0 || raster.height() == 0) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (file == nullptr) return false;
  PngWriteStruct png;
  if (!png.ok()) return false;
  std::vector<png_byte> row(static_cast<size_t>(raster.width()) * 3);
  if (!Encode(raster, file.get(), png, row)) return false;
  return std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
}
