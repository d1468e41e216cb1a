// Text output: a line of text measured and drawn in a FontSpec's font,
// placed by the text alignment flags, over an optional background box.
#ifndef PLATFORM_TEXT_RASTER_H_
#define PLATFORM_TEXT_RASTER_H_

#include <cstdint>
#include <vector>

#include "platform/font_spec.h"
#include "platform/raster.h"
#include "platform/win_types.h"

struct TextExtent {
  int width = 0;  // the sum of the rounded-up advances
  int ascent = 0;
  int descent = 0;
};

// Returns the extent of the first `length` bytes of text (UTF-8; bytes that
// are not UTF-8 count as Latin-1). False when the font cannot be opened.
bool MeasureText(const FontSpec& font, const char* text, int length,
                 TextExtent* extent);

struct TextStyle {
  UINT align = TA_LEFT | TA_TOP;
  bool opaque = true;  // fill the text's box with the background colour
  COLORREF background = RGB(255, 255, 255);
  COLORREF color = 0;
};

class SizedFont;

// A line of text placed for drawing: its font, the box it fills in opaque
// mode and where each glyph's pen position stands on the baseline.
struct PlacedText {
  SizedFont* font = nullptr;  // owned by the font cache
  TextExtent extent;
  int64_t left = 0;  // the box's left edge and the baseline
  int64_t baseline = 0;
  struct Glyph {
    char32_t code;
    int64_t pen_x;
  };
  std::vector<Glyph> glyphs;
};

// Places the text with its reference point at (x, y) by the alignment
// flags. False when the font cannot be opened.
bool PlaceText(const FontSpec& font, int64_t x, int64_t y, const char* text,
               int length, UINT align, PlacedText* placed);

// Draws the text with its reference point at (x, y). False when the font
// cannot be opened.
bool DrawText(Raster& raster, const FontSpec& font, int64_t x, int64_t y,
              const char* text, int length, const TextStyle& style);

#endif  // PLATFORM_TEXT_RASTER_H_
