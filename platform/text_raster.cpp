#include "platform/text_raster.h"

#include <vector>

#include "platform/font_cache.h"

namespace {

constexpr UINT kAlignBottom = 8;  // TA_BOTTOM

// Decodes UTF-8; a byte that does not start a valid sequence is taken as a
// Latin-1 character, so any host text shows something.
void Decode(const char* text, int length, std::vector<char32_t>* codes) {
  codes->clear();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int i = 0;
  while (i < length) {
    const unsigned char lead = bytes[i];
    int extra = lead >= 0xF0 && lead < 0xF5   ? 3
                : lead >= 0xE0 && lead < 0xF0 ? 2
                : lead >= 0xC2 && lead < 0xE0 ? 1
                                              : 0;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = i + extra < length;
    for (int k = 1; valid && k <= extra; ++k) {
      valid = (bytes[i + k] & 0xC0) == 0x80;
      code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    if (!valid) {
      code = lead;
      extra = 0;
    }
    codes->push_back(code);
    i += 1 + extra;
  }
}

struct Layout {
  SizedFont* font = nullptr;
  TextExtent extent;
};

// Reused between calls, as text is drawn often and one line at a time.
std::vector<char32_t>& CodeScratch() {
  static thread_local std::vector<char32_t> codes;
  return codes;
}

bool Lay(const FontSpec& wanted, const char* text, int length, Layout* layout) {
  layout->font = FindSizedFont(wanted);
  if (layout->font == nullptr || text == nullptr || length < 0) return false;
  std::vector<char32_t>& codes = CodeScratch();
  Decode(text, length, &codes);
  layout->extent.ascent = layout->font->ascent();
  layout->extent.descent = layout->font->descent();
  layout->extent.width = 0;
  for (char32_t code : codes) {
    layout->extent.width += layout->font->Glyph(code).advance;
  }
  return true;
}

void BlendGlyph(Raster& raster, const GlyphImage& glyph, int64_t pen_x,
                int64_t baseline, COLORREF color) {
  const int64_t left = pen_x + glyph.left;
  const int64_t top = baseline - glyph.top;
  for (int r = 0; r < glyph.rows; ++r) {
    const uint8_t* row = glyph.coverage.data() + r * glyph.width;
    for (int c = 0; c < glyph.width; ++c) {
      raster.Blend(left + c, top + r, color, row[c]);
    }
  }
}

}  // namespace

bool MeasureText(const FontSpec& font, const char* text, int length,
                 TextExtent* extent) {
  Layout layout;
  if (!Lay(font, text, length, &layout)) return false;
  *extent = layout.extent;
  return true;
}

bool PlaceText(const FontSpec& font, int64_t x, int64_t y, const char* text,
               int length, UINT align, PlacedText* placed) {
  Layout layout;
  if (!Lay(font, text, length, &layout)) return false;
  const TextExtent& extent = layout.extent;
  if ((align & TA_CENTER) == TA_CENTER) {
    x -= extent.width / 2;
  } else if (align & TA_RIGHT) {
    x -= extent.width;
  }
  int64_t baseline = y + extent.ascent;
  if ((align & TA_BASELINE) == TA_BASELINE) {
    baseline = y;
  } else if (align & kAlignBottom) {
    baseline = y - extent.descent;
  }
  placed->font = layout.font;
  placed->extent = extent;
  placed->left = x;
  placed->baseline = baseline;
  placed->glyphs.clear();
  int64_t pen_x = x;
  for (char32_t code : CodeScratch()) {
    placed->glyphs.push_back({code, pen_x});
    pen_x += layout.font->Glyph(code).advance;
  }
  return true;
}

bool DrawText(Raster& raster, const FontSpec& font, int64_t x, int64_t y,
              const char* text, int length, const TextStyle& style) {
  static thread_local PlacedText placed;  // reused: text is drawn often
  if (!PlaceText(font, x, y, text, length, style.align, &placed)) return false;
  const TextExtent& extent = placed.extent;
  if (style.opaque) {
    raster.FillRect(placed.left, placed.baseline - extent.ascent,
                    placed.left + extent.width,
                    placed.baseline + extent.descent, style.background);
  }
  for (const PlacedText::Glyph& glyph : placed.glyphs) {
    BlendGlyph(raster, placed.font->Glyph(glyph.code), glyph.pen_x,
               placed.baseline, style.color);
  }
  return true;
}
