// PNG files read back as 8-bit RGB through libpng's simplified reader, for
// tests that compare saved pictures with a window's pixels.
#ifndef TESTS_TEST_SUPPORT_RGB_PNG_H_
#define TESTS_TEST_SUPPORT_RGB_PNG_H_

#include <png.h>

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace kgtest {

// An RGB picture read from a PNG file.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<png_byte> rgb;
  COLORREF At(int x, int y) const {
    const png_byte* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

inline bool ReadRgbPng(const std::string& path, RgbPicture* picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  picture->width = static_cast<int>(image.width);
  picture->height = static_cast<int>(image.height);
  picture->rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture->rgb.data(), 0,
                               nullptr) != 0;
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_RGB_PNG_H_
