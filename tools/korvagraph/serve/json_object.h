// JsonObject: builds one JSON object member by member, for the workbench's
// replies. Numbers are written with 12 significant digits; a number that is
// not finite is written as null.
#ifndef TOOLS_KORVAGRAPH_SERVE_JSON_OBJECT_H_
#define TOOLS_KORVAGRAPH_SERVE_JSON_OBJECT_H_

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/korvagraph/stats_json.h"

// Returns value as a JSON number, or null.
inline std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  std::snprintf(text, sizeof(text), "%.12g", value);
  return text;
}

// Returns "[a,b,...]" of already formatted members.
inline std::string JsonArray(const std::vector<std::string>& members) {
  std::string text = "[";
  for (size_t i = 0; i < members.size(); ++i) {
    text += (i > 0 ? "," : "") + members[i];
  }
  return text + "]";
}

class JsonObject {
 public:
  JsonObject& Number(const char* name, double value) {
    return Raw(name, JsonNumber(value));
  }
  JsonObject& Text(const char* name, const std::string& value) {
    return Raw(name, JsonString(value));
  }
  JsonObject& Bool(const char* name, bool value) {
    return Raw(name, value ? "true" : "false");
  }
  // Adds formatted JSON (an array or object) as it is.
  JsonObject& Raw(const char* name, const std::string& json) {
    text_ += (text_.empty() ? "{" : ",") + JsonString(name) + ":" + json;
    return *this;
  }
  std::string str() const { return text_.empty() ? "{}" : text_ + "}"; }

 private:
  std::string text_;
};

#endif  // TOOLS_KORVAGRAPH_SERVE_JSON_OBJECT_H_
