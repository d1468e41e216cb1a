#include "platform/raster.h"

#include <algorithm>

namespace {

int NonNegative(int value) { return value < 0 ? 0 : value; }

int MixChannel(int below, int above, int coverage) {
  return (below * (255 - coverage) + above * coverage + 127) / 255;
}

}  // namespace

Raster::Raster(int width, int height, COLORREF color) {
  Reset(width, height, color);
}

void Raster::Reset(int width, int height, COLORREF color) {
  width_ = NonNegative(width);
  height_ = NonNegative(height);
  pixels_.assign(static_cast<size_t>(width_) * height_, color);
}

void Raster::Fill(COLORREF color) {
  std::fill(pixels_.begin(), pixels_.end(), color);
}

void Raster::Blend(int64_t x, int64_t y, COLORREF color, int coverage) {
  if (coverage <= 0 || !Contains(x, y)) return;
  COLORREF& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  if (coverage >= 255) {
    pixel = color;
    return;
  }
  pixel = RGB(MixChannel(GetRValue(pixel), GetRValue(color), coverage),
              MixChannel(GetGValue(pixel), GetGValue(color), coverage),
              MixChannel(GetBValue(pixel), GetBValue(color), coverage));
}
