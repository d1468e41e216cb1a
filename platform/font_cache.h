// Fonts for text output: the face fontconfig matches for a FontSpec, opened
// with FreeType and sized the way the platform sizes CreateFontA fonts.
// The cache owns every font and glyph it hands out, for the whole process.
#ifndef PLATFORM_FONT_CACHE_H_
#define PLATFORM_FONT_CACHE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/font_spec.h"

struct FT_FaceRec_;

// One rendered glyph: 8-bit coverage rows and where they go relative to the
// pen position on the baseline.
struct GlyphImage {
  unsigned index = 0;  // the glyph's index in its font file
  int advance = 0;     // whole pixels, rounded up
  int left = 0;        // columns right of the pen position
  int top = 0;         // rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // rows x width, 0 (none) .. 255 (full)
};

// Where a font's face lives, so that other renderers can open the same one.
struct FontFile {
  std::string path;
  int index = 0;
};

class SizedFont {
 public:
  // Takes the face, opened from file.
  SizedFont(FT_FaceRec_* face, const FontFile& file, const FontSpec& wanted);
  ~SizedFont();
  SizedFont(const SizedFont&) = delete;
  SizedFont& operator=(const SizedFont&) = delete;

  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int average_width() const { return average_width_; }
  int ppem() const { return ppem_; }
  // The horizontal stretch a requested average width asks for (1: none).
  double x_scale() const { return x_scale_; }
  const FontFile& file() const { return file_; }
  // Returns the glyph of a Unicode code point, rendered on first use.
  const GlyphImage& Glyph(char32_t code);

 private:
  FT_FaceRec_* face_;
  FontFile file_;
  double x_scale_ = 1.0;
  int ascent_ = 0;
  int descent_ = 0;
  int average_width_ = 1;
  int ppem_ = 1;
  std::unordered_map<char32_t, GlyphImage> glyphs_;
};

// Returns the font wanted, or null when no font can be opened.
SizedFont* FindSizedFont(const FontSpec& wanted);

#endif  // PLATFORM_FONT_CACHE_H_
