// Stroke: how the selected pen paints one pixel of a path. Width-1 dotted
// pens follow a 3-on, 3-off pattern indexed by the pixel's step along the
// path; wider pens paint a square of their width centred on the pixel.
#ifndef PLATFORM_STROKE_H_
#define PLATFORM_STROKE_H_

#include <cstdint>

#include "platform/raster.h"
#include "platform/win_types.h"

// Widest square a pen paints; wider pens are drawn at this width, which
// keeps a pen of absurd width from stalling a draw.
constexpr int kMaxStrokeWidth = 64;
constexpr int64_t kDotPeriod = 6;
constexpr int64_t kDotOnLength = 3;

struct Stroke {
  COLORREF color = 0;
  COLORREF gap_color = 0;   // background colour for the dots' gaps
  int width = 1;            // 1 .. kMaxStrokeWidth
  bool dotted = false;      // only with width 1; wider dotted pens are solid
  bool paint_gaps = false;  // opaque background mode

  // How far a pixel of the path can reach beyond the path itself.
  int Margin() const { return width / 2 + 1; }
};

// Paints the path pixel (x, y) that is step `step` of its path (step >= 0).
// Inner loops pass a view and a stroke held in locals (see PixelView).
inline void PlotStroke(const PixelView& pixels, const Stroke& stroke, int64_t x,
                       int64_t y, int64_t step) {
  if (stroke.width > 1) {
    const int64_t left = x - (stroke.width - 1) / 2;
    const int64_t top = y - (stroke.width - 1) / 2;
    pixels.FillRect(left, top, left + stroke.width, top + stroke.width,
                    stroke.color);
    return;
  }
  if (!stroke.dotted || step % kDotPeriod < kDotOnLength) {
    pixels.Put(x, y, stroke.color);
  } else if (stroke.paint_gaps) {
    pixels.Put(x, y, stroke.gap_color);
  }
}

#endif  // PLATFORM_STROKE_H_
