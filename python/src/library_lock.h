// LibraryLock: the Python module's one lock around the chart library, which
// is single-threaded (KorvaGraphLib.h). Every call of the module that may
// reach the chart library's exports or windows holds it: opening a session
// (its transforms), drawing, saving pictures, the transforms and the model
// curve. The bindings release the GIL before taking it, never the other way
// round, so that no two locks are ever waited for in opposite orders.
#ifndef PYTHON_SRC_LIBRARY_LOCK_H_
#define PYTHON_SRC_LIBRARY_LOCK_H_

#include <mutex>

namespace korvagraph::python {

// Holds the lock for as long as it lives.
class LibraryLock {
 public:
  LibraryLock();
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;

 private:
  std::lock_guard<std::mutex> lock_;
};

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_LIBRARY_LOCK_H_
