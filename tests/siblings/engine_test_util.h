// Helpers shared by the engine's tests: a scoped handle and sample records.
#ifndef TESTS_SIBLINGS_ENGINE_TEST_UTIL_H_
#define TESTS_SIBLINGS_ENGINE_TEST_UTIL_H_

#include <vector>

#include "siblings/korvalib/korvalib.h"

namespace korvalib_test {

// An engine handle deleted at the end of its scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(int kind = 3) : handle_(_kvCreateKorvaObj(kind)) {}
  ~ScopedHandle() { _kvDeleteKorvaObj(handle_); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  int get() const { return handle_; }

 private:
  const int handle_;
};

// Returns one record per value, value2 taken from second when given.
inline std::vector<KvDiscPnt> MakeSamples(
    const std::vector<double>& values,
    const std::vector<double>& second = {}) {
  std::vector<KvDiscPnt> samples(values.size(), KvDiscPnt{});
  for (size_t i = 0; i < values.size(); ++i) {
    samples[i].value = values[i];
    if (i < second.size()) samples[i].value2 = second[i];
  }
  return samples;
}

// Loads values as set `set` of handle.
inline void LoadValues(int handle, const std::vector<double>& values,
                       int set = 1) {
  std::vector<KvDiscPnt> samples = MakeSamples(values);
  _kvLoadDiscPnts(handle, samples.data(), static_cast<LONG>(samples.size()),
                  set);
}

}  // namespace korvalib_test

#endif  // TESTS_SIBLINGS_ENGINE_TEST_UTIL_H_
