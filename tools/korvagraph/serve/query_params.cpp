#include "tools/korvagraph/serve/query_params.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvagraph {

using analysis::Status;

namespace {

// The whole text must be one finite decimal number: no blanks, no bytes
// after it (a NUL included), whatever the locale.
bool ParseFinite(const std::string& text, double* value) {
  const char* end = text.data() + text.size();
  double parsed = 0.0;
  const std::from_chars_result result =
      std::from_chars(text.data(), end, parsed);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) {
    return false;
  }
  *value = parsed;
  return true;
}

std::string RangeText(double min, double max) {
  char text[96];
  std::snprintf(text, sizeof(text), "from %g to %g", min, max);
  return text;
}

}  // namespace

QueryParams::QueryParams(const std::multimap<std::string, std::string>& params)
    : params_(params) {}

bool QueryParams::Has(const char* name) const {
  return params_.find(name) != params_.end();
}

bool QueryParams::Find(const char* name, std::string* value) const {
  if (!status_.ok()) return false;
  const auto found = params_.find(name);
  if (found == params_.end()) return false;
  *value = found->second;
  return true;
}

void QueryParams::Reject(const char* name, const std::string& value,
                         const std::string& expected) {
  // Echo at most a short prefix of what came: the message goes back to the
  // client and into no log.
  const std::string shown =
      value.size() > 40 ? value.substr(0, 40) + "..." : value;
  status_ = Status::Failure(std::string(name) + ": expected " + expected +
                            ", found \"" + shown + "\"");
}

double QueryParams::Number(const char* name, double fallback, double min,
                           double max) {
  std::string text;
  if (!Find(name, &text)) return fallback;
  double value = 0.0;
  if (!ParseFinite(text, &value) || value < min || value > max) {
    Reject(name, text, "a number " + RangeText(min, max));
    return fallback;
  }
  return value;
}

int QueryParams::Integer(const char* name, int fallback, int min, int max) {
  std::string text;
  if (!Find(name, &text)) return fallback;
  double value = 0.0;
  if (!ParseFinite(text, &value) || value != std::floor(value) || value < min ||
      value > max) {
    Reject(name, text, "a whole number " + RangeText(min, max));
    return fallback;
  }
  return static_cast<int>(value);
}

std::string QueryParams::Text(const char* name, const char* fallback) const {
  std::string text;
  return Find(name, &text) ? text : fallback;
}

std::string QueryParams::Choice(const char* name, const char* fallback,
                                std::initializer_list<const char*> choices) {
  std::string text;
  if (!Find(name, &text)) return fallback;
  std::string names;
  for (const char* choice : choices) {
    if (text == choice) return text;
    names += (names.empty() ? "" : ", ") + std::string(choice);
  }
  Reject(name, text, "one of " + names);
  return fallback;
}

std::vector<double> QueryParams::Numbers(const char* name,
                                         const std::vector<double>& fallback,
                                         size_t max_count, double min,
                                         double max) {
  std::string text;
  if (!Find(name, &text)) return fallback;
  std::vector<double> values;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    double value = 0.0;
    if (values.size() == max_count ||
        !ParseFinite(text.substr(start, comma - start), &value) ||
        value < min || value > max) {
      Reject(name, text,
             "1 to " + std::to_string(max_count) +
                 " comma-separated numbers, each " + RangeText(min, max));
      return fallback;
    }
    values.push_back(value);
    start = comma + 1;
  }
  return values;
}

}  // namespace korvagraph
