#include "korvagraph/analysis/json.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

namespace {

// Depth of nested arrays and objects a document may hold.
constexpr int kMaxDepth = 64;

class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : text_(text) {}

  Status Parse(JsonValue* value) {
    if (!Value(value, 0)) return Failed();
    Space();
    if (at_ != text_.size()) {
      error_ = "text after the value";
      return Failed();
    }
    return Status::Ok();
  }

 private:
  Status Failed() const {
    return Status::Failure("JSON: " + error_ + " at character " +
                           std::to_string(at_ + 1));
  }
  bool Fail(const char* what) {
    error_ = what;
    return false;
  }
  void Space() {
    while (at_ < text_.size() &&
           std::isspace(static_cast<unsigned char>(text_[at_]))) {
      ++at_;
    }
  }
  bool Take(char c) {
    Space();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(const char* word) {
    const size_t n = std::strlen(word);
    if (text_.compare(at_, n, word) != 0) return false;
    at_ += n;
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > kMaxDepth) return Fail("nesting too deep");
    Space();
    if (at_ >= text_.size()) return Fail("a value expected");
    const char c = text_[at_];
    if (c == '{') return Object(value, depth);
    if (c == '[') return Array(value, depth);
    if (c == '"') {
      value->kind = JsonValue::Kind::kString;
      return String(&value->text);
    }
    for (const bool truth : {true, false}) {
      if (Word(truth ? "true" : "false")) {
        value->kind = JsonValue::Kind::kBool;
        value->boolean = truth;
        return true;
      }
    }
    if (Word("null")) return true;
    const char* begin = text_.c_str() + at_;
    char* end = nullptr;
    value->number = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value->number)) {
      return Fail("a value expected");
    }
    value->kind = JsonValue::Kind::kNumber;
    at_ += static_cast<size_t>(end - begin);
    return true;
  }

  bool String(std::string* out) {
    ++at_;  // the opening quote
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c == '\\' && at_ < text_.size()) {
        const char e = text_[at_++];
        c = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        if (e == 'u') {  // this reader keeps ASCII escapes only
          if (at_ + 4 > text_.size()) return Fail("a broken escape");
          c = static_cast<char>(
              std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16));
          at_ += 4;
        }
      }
      out->push_back(c);
    }
    if (at_ >= text_.size()) return Fail("an unterminated string");
    ++at_;
    return true;
  }

  bool Array(JsonValue* value, int depth) {
    ++at_;
    value->kind = JsonValue::Kind::kArray;
    if (Take(']')) return true;
    do {
      value->items.emplace_back();
      if (!Value(&value->items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']') || Fail("',' or ']' expected");
  }

  bool Object(JsonValue* value, int depth) {
    ++at_;
    value->kind = JsonValue::Kind::kObject;
    if (Take('}')) return true;
    do {
      Space();
      std::string name;
      if (at_ >= text_.size() || text_[at_] != '"' || !String(&name)) {
        return Fail("a member name expected");
      }
      if (!Take(':')) return Fail("':' expected");
      if (!Value(&value->members[name], depth + 1)) return false;
    } while (Take(','));
    return Take('}') || Fail("',' or '}' expected");
  }

  const std::string& text_;
  size_t at_ = 0;
  std::string error_;
};

}  // namespace

const JsonValue* JsonValue::Find(const std::string& name) const {
  const auto found = members.find(name);
  return found == members.end() ? nullptr : &found->second;
}

Status ParseJson(const std::string& text, JsonValue* value) {
  *value = JsonValue();
  return JsonParser(text).Parse(value);
}

}  // namespace korvagraph::analysis
