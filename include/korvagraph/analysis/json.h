// Small JSON writers for the documents hosts write of the library's
// results (statistics, lag tables, models): strings escaped as JSON needs,
// numbers that read back as the same double.
#ifndef KORVAGRAPH_ANALYSIS_JSON_H_
#define KORVAGRAPH_ANALYSIS_JSON_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"

namespace korvagraph::analysis {

// Returns text as a JSON string: quoted, with quotes, backslashes and every
// control byte escaped (bytes that are not UTF-8 pass as they are).
std::string JsonString(const std::string& text);

// Returns value as the shortest JSON number (15 to 17 significant digits)
// that reads back as the same double; null when it is not finite.
std::string JsonNumber(double value);

// Returns "[a,b,...]" of already formatted members.
std::string JsonArray(const std::vector<std::string>& members);

// Returns a JSON array of strings.
std::string JsonStrings(const std::vector<std::string>& texts);

// Builds one JSON object member by member.
class JsonObject {
 public:
  JsonObject& Number(const std::string& name, double value) {
    return Raw(name, JsonNumber(value));
  }
  JsonObject& Text(const std::string& name, const std::string& value) {
    return Raw(name, JsonString(value));
  }
  JsonObject& Bool(const std::string& name, bool value) {
    return Raw(name, value ? "true" : "false");
  }
  // Adds formatted JSON (an array or object) as it is.
  JsonObject& Raw(const std::string& name, const std::string& json);
  std::string str() const { return text_.empty() ? "{}" : text_ + "}"; }

 private:
  std::string text_;
};

// A parsed JSON value: what hosts read back of the documents above (a saved
// model). Numbers are doubles; objects keep their members by name.
struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0.0;
  std::string text;
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  // Returns the member named name, or null when there is none.
  const JsonValue* Find(const std::string& name) const;
};

// Parses text as one JSON value; fails, saying where, on anything else.
Status ParseJson(const std::string& text, JsonValue* value);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_JSON_H_
