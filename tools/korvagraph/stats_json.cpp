#include "tools/korvagraph/stats_json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  // The shortest of 15 to 17 digits that reads back as the same double.
  char buffer[32];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buffer, sizeof(buffer), "%.*g", digits, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) {
    out += (i > 0 ? ", " : "") + JsonString(texts[i]);
  }
  return out + "]";
}

std::string JsonStatistics(const Statistics& stats) {
  std::string out = "{";
  for (size_t i = 0; i < stats.size(); ++i) {
    const Statistic& stat = stats[i];
    out += (i > 0 ? ", " : "") + JsonString(stat.name) + ": " +
           (stat.numeric ? JsonNumber(stat.number) : JsonString(stat.value));
  }
  return out + "}";
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string StatsJson(const std::vector<GalleryItem>& items,
                      const GalleryNotes& notes) {
  std::string out = "{\n  \"notes\": " + JsonStrings(notes.lines) +
                    ",\n  \"warnings\": " + JsonStrings(notes.warnings) +
                    ",\n  \"charts\": [";
  for (size_t i = 0; i < items.size(); ++i) {
    const GalleryItem& item = items[i];
    out += std::string(i > 0 ? "," : "") +
           "\n    {\"name\": " + JsonString(item.name) +
           ", \"pictures\": " + JsonStrings(item.pictures) +
           ",\n     \"stats\": " + JsonStatistics(item.stats) +
           ",\n     \"warnings\": " + JsonStrings(item.warnings) + "}";
  }
  out += "],\n  \"skipped\": [";
  for (size_t i = 0; i < notes.skipped.size(); ++i) {
    out += std::string(i > 0 ? ", " : "") +
           "{\"name\": " + JsonString(notes.skipped[i].name) +
           ", \"reason\": " + JsonString(notes.skipped[i].reason) + "}";
  }
  return out + "]\n}\n";
}
