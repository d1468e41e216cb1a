#include "siblings/korvalib/two_way.h"

#include <exception>
#include <system_error>
#include <thread>

namespace korvalib {
namespace {

// Below this many items a pass takes well under a millisecond.
constexpr size_t kTwoWayMinimum = size_t{1} << 16;

}  // namespace

bool WorthTwoWays(size_t n) {
  static const bool two_cores = std::thread::hardware_concurrency() > 1;
  return two_cores && n >= kTwoWayMinimum;
}

void RunTwoWays(const std::function<void()>& first,
                const std::function<void()>& second) {
  // What the helper throws (memory running short) is thrown again here.
  std::exception_ptr helper_failure;
  std::thread helper;
  try {
    helper = std::thread([&] {
      try {
        second();
      } catch (...) {
        helper_failure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    // No thread to be had: both halves on this one.
    first();
    second();
    return;
  }
  // The helper is joined on every path, also when first throws.
  try {
    first();
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (helper_failure) std::rethrow_exception(helper_failure);
}

}  // namespace korvalib
