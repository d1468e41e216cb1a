// Work split in two: one half on a helper thread, the other on the caller's,
// for the engine's passes over a million values. The caller keeps ownership
// of everything the halves touch; both halves have finished on return.
#ifndef SIBLINGS_KORVALIB_TWO_WAY_H_
#define SIBLINGS_KORVALIB_TWO_WAY_H_

#include <cstddef>
#include <functional>

namespace korvalib {

// Returns true when n items are worth a second thread: enough work to repay
// starting one (about 50 microseconds), and a second core to run it.
bool WorthTwoWays(size_t n);

// Runs first and second, at the same time when a helper thread can be
// started, else one after the other on the caller's thread.
void RunTwoWays(const std::function<void()>& first,
                const std::function<void()>& second);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_TWO_WAY_H_
