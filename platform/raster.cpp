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

void Raster::FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom,
                      COLORREF color) {
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t x1 = std::min<int64_t>(right, width_);
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t y1 = std::min<int64_t>(bottom, height_);
  if (x0 >= x1 || y0 >= y1) return;
  for (int64_t y = y0; y < y1; ++y) {
    COLORREF* row = pixels_.data() + static_cast<size_t>(y) * width_;
    std::fill(row + x0, row + x1, color);
  }
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
