// QueryParams: typed reading of a request's query parameters, each checked
// against its allowed range. The first bad parameter is kept as the
// request's error (a 400 for the client); later reads then give fallbacks.
#ifndef TOOLS_KORVAGRAPH_SERVE_QUERY_PARAMS_H_
#define TOOLS_KORVAGRAPH_SERVE_QUERY_PARAMS_H_

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"

namespace korvagraph {

class QueryParams {
 public:
  // params: name to value, as the HTTP library parsed them (held by
  // reference; must outlive this object).
  explicit QueryParams(const std::multimap<std::string, std::string>& params);

  // Returns the finite number named name within [min, max], fallback when
  // absent.
  double Number(const char* name, double fallback, double min, double max);
  // Returns the whole number named name within [min, max].
  int Integer(const char* name, int fallback, int min, int max);
  // Returns the value named name as it is, fallback when absent.
  std::string Text(const char* name, const char* fallback) const;
  // Returns the value named name when it is one of choices.
  std::string Choice(const char* name, const char* fallback,
                     std::initializer_list<const char*> choices);
  // Returns the comma-separated numbers named name, each within [min, max],
  // at least one and at most max_count of them.
  std::vector<double> Numbers(const char* name,
                              const std::vector<double>& fallback,
                              size_t max_count, double min, double max);
  bool Has(const char* name) const;

  // The first failure, or success.
  const analysis::Status& status() const { return status_; }

 private:
  // Returns the value named name; false when absent or after a failure.
  bool Find(const char* name, std::string* value) const;
  void Reject(const char* name, const std::string& value,
              const std::string& expected);

  const std::multimap<std::string, std::string>& params_;
  analysis::Status status_;
};

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_QUERY_PARAMS_H_
