// Records and graph objects as a host makes them, for tests that go through
// the exports.
#ifndef TESTS_TEST_SUPPORT_HOST_RECORDS_H_
#define TESTS_TEST_SUPPORT_HOST_RECORDS_H_

#include <vector>

#include "korvagraph/KorvaGraphLib.h"

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

// Returns a zeroed sample record at (x, y, z) with attribute `value`.
inline KvDiscPnt LocatedSample(double x, double y, double value,
                               double z = 0.0) {
  KvDiscPnt sample{};
  sample.x = x;
  sample.y = y;
  sample.z = z;
  sample.value = value;
  return sample;
}

// Returns a corner of a coordinate box.
inline KVD_3DOT Corner(double x, double y, double z = 0.0) {
  return KVD_3DOT{x, y, z};
}

// One experimental-variogram entry as a host fills it.
inline Variogram VariogramEntry(double lag, double gamma, LONG pairs) {
  Variogram entry{};
  entry.h = lag;
  entry.gamma = gamma;
  entry.npairs = pairs;
  return entry;
}

// One model-curve record as the model computation fills it.
inline ModIndVrg ModelRecord(double lag, double value) {
  ModIndVrg record{};
  record.h = lag;
  record.value = value;
  return record;
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_HOST_RECORDS_H_
