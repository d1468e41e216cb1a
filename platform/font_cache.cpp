#include "platform/font_cache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr int kDefaultCellHeight = 16;  // what a height of 0 asks for
constexpr const char* kFallbackFamily = "serif";

// Rounds value * num / den to the nearest integer (halves up).
long ScaleRounded(long value, long num, long den) {
  return std::lround(static_cast<double>(value) * num / den);
}

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

class FontCache {
 public:
  FontCache() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) library_.reset(library);
    config_.reset(FcInitLoadConfigAndFonts());
  }
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  // Fontconfig keeps some of its configuration out of reach of a leak
  // checker until it is shut down, so the cache closes everything at exit.
  ~FontCache() {
    fonts_.clear();
    library_.reset();
    config_.reset();
    FcFini();
  }

  SizedFont* Find(const FontSpec& wanted) {
    auto found = fonts_.find(wanted);
    if (found != fonts_.end()) return found->second.get();
    std::unique_ptr<SizedFont>& font = fonts_[wanted];
    const FontFile& file = Resolve(wanted.face, wanted.weight);
    FT_Face face = Open(file);
    if (face != nullptr) font = std::make_unique<SizedFont>(face, file, wanted);
    return font.get();
  }

 private:
  FT_Face Open(const FontFile& file) {
    if (library_ == nullptr) return nullptr;
    FT_Face face = nullptr;
    if (file.path.empty() || FT_New_Face(library_.get(), file.path.c_str(),
                                         file.index, &face) != 0) {
      return nullptr;
    }
    return face;
  }

  // The file fontconfig matches for the face name, or for any serif font
  // when the name is unknown. Cached: a match takes a while.
  const FontFile& Resolve(const std::string& face, int weight) {
    const auto key = std::make_pair(face, weight);
    auto found = files_.find(key);
    if (found != files_.end()) return found->second;
    FontFile& file = files_[key];
    if (config_ == nullptr) return file;
    PatternPtr pattern(FcPatternCreate());
    if (!face.empty()) {
      FcPatternAddString(pattern.get(), FC_FAMILY,
                         reinterpret_cast<const FcChar8*>(face.c_str()));
    }
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(kFallbackFamily));
    if (weight > 0) {
      FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                          FcWeightFromOpenType(weight));
    }
    FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result;
    PatternPtr match(FcFontMatch(config_.get(), pattern.get(), &result));
    FcChar8* path = nullptr;
    if (match != nullptr &&
        FcPatternGetString(match.get(), FC_FILE, 0, &path) == FcResultMatch) {
      file.path = reinterpret_cast<const char*>(path);
      FcPatternGetInteger(match.get(), FC_INDEX, 0, &file.index);
    }
    return file;
  }

  std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
  std::unique_ptr<FcConfig, ConfigDeleter> config_;
  std::map<std::pair<std::string, int>, FontFile> files_;
  std::map<FontSpec, std::unique_ptr<SizedFont>> fonts_;
};

// Copies a rendered bitmap into coverage bytes (8-bit gray or 1-bit mono).
void CopyCoverage(const FT_Bitmap& bitmap, GlyphImage* glyph) {
  glyph->width = static_cast<int>(bitmap.width);
  glyph->rows = static_cast<int>(bitmap.rows);
  glyph->coverage.assign(static_cast<size_t>(glyph->width) * glyph->rows, 0);
  const int stride = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
  for (int r = 0; r < glyph->rows; ++r) {
    const int source_row = bitmap.pitch < 0 ? glyph->rows - 1 - r : r;
    const unsigned char* source = bitmap.buffer + source_row * stride;
    uint8_t* target = glyph->coverage.data() + r * glyph->width;
    for (int c = 0; c < glyph->width; ++c) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        target[c] = (source[c / 8] >> (7 - c % 8)) & 1 ? 255 : 0;
      } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        target[c] = source[c];
      }
    }
  }
}

}  // namespace

SizedFont::SizedFont(FT_Face face, const FontFile& file, const FontSpec& wanted)
    : face_(face), file_(file) {
  const TT_OS2* os2 =
      static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const long upem = std::max<long>(face->units_per_EM, 1);
  long win_ascent = os2 != nullptr ? os2->usWinAscent : 0;
  long win_descent = os2 != nullptr ? os2->usWinDescent : 0;
  if (win_ascent + win_descent == 0) {
    win_ascent = face->ascender;
    win_descent = -face->descender;
  }
  const long units = std::max<long>(win_ascent + win_descent, 1);
  if (wanted.height < 0) {
    ppem_ = -wanted.height;
  } else {
    const long cell = wanted.height == 0 ? kDefaultCellHeight : wanted.height;
    long ppem = ScaleRounded(upem, cell, units);
    if (ScaleRounded(units, ppem, upem) > cell) --ppem;
    ppem_ = static_cast<int>(ppem);
  }
  ppem_ = std::max(ppem_, 1);
  ascent_ = static_cast<int>(ScaleRounded(win_ascent, ppem_, upem));
  descent_ = static_cast<int>(ScaleRounded(win_descent, ppem_, upem));
  const long average = os2 != nullptr && os2->xAvgCharWidth > 0
                           ? ScaleRounded(os2->xAvgCharWidth, ppem_, upem)
                           : ppem_ / 2;
  average_width_ = static_cast<int>(std::max<long>(average, 1));
  // A requested width stretches the glyphs horizontally.
  if (wanted.width != 0 && wanted.height != 0) {
    x_scale_ = std::abs(static_cast<double>(wanted.width)) / average_width_;
  }
  FT_Set_Char_Size(face_, std::lround(ppem_ * x_scale_ * 64), ppem_ * 64, 72,
                   72);
}

SizedFont::~SizedFont() { FT_Done_Face(face_); }

const GlyphImage& SizedFont::Glyph(char32_t code) {
  auto found = glyphs_.find(code);
  if (found != glyphs_.end()) return found->second;
  GlyphImage& glyph = glyphs_[code];
  const FT_UInt index = FT_Get_Char_Index(face_, code);
  if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
    return glyph;
  }
  const FT_GlyphSlot slot = face_->glyph;
  glyph.index = index;
  glyph.advance = static_cast<int>((slot->linearHoriAdvance + 0xFFFF) >> 16);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  CopyCoverage(slot->bitmap, &glyph);
  return glyph;
}

SizedFont* FindSizedFont(const FontSpec& wanted) {
  static FontCache cache;  // destroyed at exit, see ~FontCache
  return cache.Find(wanted);
}
