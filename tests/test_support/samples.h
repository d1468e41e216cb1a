// Sample records and graph objects for tests that go through the exports.
#ifndef TESTS_TEST_SUPPORT_SAMPLES_H_
#define TESTS_TEST_SUPPORT_SAMPLES_H_

#include <vector>

#include "include/KorvaGraphLib.h"

namespace kgtest {

// Returns one zeroed record per value, with `value` set (and `value2` from
// `second` where given).
inline std::vector<KvDiscPnt> MakeSamples(
    const std::vector<double>& values, const std::vector<double>& second = {}) {
  std::vector<KvDiscPnt> samples(values.size(), KvDiscPnt{});
  for (size_t i = 0; i < values.size(); ++i) {
    samples[i].value = values[i];
    if (i < second.size()) samples[i].value2 = second[i];
  }
  return samples;
}

// A graph object of one type code, deleted with the scope.
class ScopedGraph {
 public:
  explicit ScopedGraph(LONG type) : graph_(_kvCreateKvGraphObj(type)) {}
  ~ScopedGraph() { _kvDeleteKvGraphObj(graph_); }
  ScopedGraph(const ScopedGraph&) = delete;
  ScopedGraph& operator=(const ScopedGraph&) = delete;

  CKorvaGraph* get() const { return graph_; }

 private:
  CKorvaGraph* graph_;
};

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_SAMPLES_H_
