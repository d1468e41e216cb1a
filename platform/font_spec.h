// FontSpec: what CreateFontA asks for, as far as the raster uses it.
#ifndef PLATFORM_FONT_SPEC_H_
#define PLATFORM_FONT_SPEC_H_

#include <string>
#include <tuple>

struct FontSpec {
  int height = 0;      // > 0 cell height, < 0 em height, 0 the default size
  int width = 0;       // average character width; 0 keeps the design's
  int escapement = 0;  // stored and recorded; text is always horizontal
  int weight = 0;
  std::string face;

  friend bool operator<(const FontSpec& a, const FontSpec& b) {
    return std::tie(a.height, a.width, a.weight, a.face) <
           std::tie(b.height, b.width, b.weight, b.face);
  }
};

#endif  // PLATFORM_FONT_SPEC_H_
