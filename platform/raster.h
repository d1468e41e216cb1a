// Raster: the pixels of a window's client area, one COLORREF per pixel, with
// the clipped writes every drawing routine builds on. Coordinates are 64-bit
// device pixels so that callers can pass unclipped values safely.
#ifndef PLATFORM_RASTER_H_
#define PLATFORM_RASTER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

// A raster's pixels as plain values for inner loops: a write through `data`
// cannot change a view held in a local, so its fields stay in registers.
struct PixelView {
  COLORREF* data;
  int64_t width;
  int64_t height;

  bool Contains(int64_t x, int64_t y) const {
    return x >= 0 && y >= 0 && x < width && y < height;
  }
  // Writes one pixel; outside the area nothing happens.
  void Put(int64_t x, int64_t y, COLORREF color) const {
    if (Contains(x, y)) data[y * width + x] = color;
  }
  // Fills columns [left, right) of rows [top, bottom), clipped.
  void FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom,
                COLORREF color) const {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > width) right = width;
    if (bottom > height) bottom = height;
    for (int64_t y = top; y < bottom; ++y) {
      COLORREF* row = data + y * width;
      for (int64_t x = left; x < right; ++x) row[x] = color;
    }
  }
};

class Raster {
 public:
  Raster(int width, int height, COLORREF color);
  Raster(const Raster&) = delete;
  Raster& operator=(const Raster&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }

  // Replaces the pixels with a width x height area of one colour.
  void Reset(int width, int height, COLORREF color);
  void Fill(COLORREF color);

  bool Contains(int64_t x, int64_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }
  // REQUIRES: Contains(x, y).
  COLORREF At(int x, int y) const {
    return pixels_[static_cast<size_t>(y) * width_ + x];
  }
  const COLORREF* Row(int y) const {
    return pixels_.data() + static_cast<size_t>(y) * width_;
  }

  PixelView View() { return {pixels_.data(), width_, height_}; }
  // Writes one pixel; outside the area nothing happens.
  void Put(int64_t x, int64_t y, COLORREF color) { View().Put(x, y, color); }
  // Fills columns [left, right) of rows [top, bottom), clipped.
  void FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom,
                COLORREF color) {
    View().FillRect(left, top, right, bottom, color);
  }
  // Mixes colour over a pixel with coverage 0 (none) to 255 (full).
  void Blend(int64_t x, int64_t y, COLORREF color, int coverage);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

#endif  // PLATFORM_RASTER_H_
