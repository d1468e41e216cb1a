#include "tools/korvagraph/printable.h"

#include <cstdint>
#include <cstdio>

namespace korvagraph {

namespace {

// Returns the length of the valid UTF-8 sequence of a printable character
// at text[i], or 0 when that byte must be escaped.
size_t PrintableSequence(const std::string& text, size_t i) {
  const auto byte = [&text](size_t at) {
    return static_cast<uint8_t>(text[at]);
  };
  const uint8_t lead = byte(i);
  if (lead >= 0x20 && lead < 0x7F) return 1;
  size_t length;
  uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;  // ASCII controls, DEL, stray continuation or invalid lead
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i + k) & 0x3F);
  }
  const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF) return 0;  // overlong
  if (code >= 0xD800 && code <= 0xDFFF) return 0;            // surrogate
  if (code >= 0x80 && code <= 0x9F) return 0;                // C1 control
  return length;
}

void AppendEscape(uint8_t byte, std::string* out) {
  switch (byte) {
    case '\t':
      *out += "\\t";
      return;
    case '\n':
      *out += "\\n";
      return;
    case '\r':
      *out += "\\r";
      return;
    default: {
      char escape[5];
      std::snprintf(escape, sizeof(escape), "\\x%02X", byte);
      *out += escape;
    }
  }
}

// Appends the printable form of text, at most max_chars characters (an
// escape counts as one); returns false when text was cut.
bool AppendPrintable(const std::string& text, size_t max_chars,
                     bool keep_line_feeds, std::string* out) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    if (chars == max_chars) return false;
    const size_t length =
        keep_line_feeds && text[i] == '\n' ? 1 : PrintableSequence(text, i);
    if (length == 0) {
      AppendEscape(static_cast<uint8_t>(text[i]), out);
      ++i;
    } else {
      out->append(text, i, length);
      i += length;
    }
  }
  return true;
}

}  // namespace

std::string Printable(const std::string& text, bool keep_line_feeds) {
  std::string out;
  AppendPrintable(text, text.size(), keep_line_feeds, &out);
  return out;
}

std::string Quoted(const std::string& text, size_t max_chars) {
  std::string out = "\"";
  const bool whole = AppendPrintable(text, max_chars, false, &out);
  out += whole ? "\"" : "...\"";
  return out;
}

}  // namespace korvagraph
