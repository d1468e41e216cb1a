#include "python/src/library_lock.h"

namespace korvagraph::python {
namespace {

std::mutex& LibraryMutex() {
  static std::mutex* const mutex = new std::mutex;  // never destroyed
  return *mutex;
}

}  // namespace

LibraryLock::LibraryLock() : lock_(LibraryMutex()) {}

}  // namespace korvagraph::python
