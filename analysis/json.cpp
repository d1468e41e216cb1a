#include "korvagraph/analysis/json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvagraph::analysis {

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buffer, sizeof(buffer), "%.*g", digits, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::string JsonArray(const std::vector<std::string>& members) {
  std::string text = "[";
  for (size_t i = 0; i < members.size(); ++i) {
    text += (i > 0 ? ", " : "") + members[i];
  }
  return text + "]";
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::vector<std::string> members;
  members.reserve(texts.size());
  for (const std::string& text : texts) members.push_back(JsonString(text));
  return JsonArray(members);
}

JsonObject& JsonObject::Raw(const std::string& name, const std::string& json) {
  text_ += (text_.empty() ? "{" : ", ") + JsonString(name) + ": " + json;
  return *this;
}

}  // namespace korvagraph::analysis
