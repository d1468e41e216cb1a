// Small JSON writers for the documents hosts write of the library's
// results (statistics, lag tables, models): strings escaped as JSON needs,
// numbers that read back as the same double.
#ifndef KORVAGRAPH_ANALYSIS_JSON_H_
#define KORVAGRAPH_ANALYSIS_JSON_H_

#include <string>
#include <vector>

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

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_JSON_H_
