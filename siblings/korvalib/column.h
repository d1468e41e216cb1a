// Column: the engine's copy of one attribute of the loaded samples. A vector
// whose resize leaves new entries uninitialised, since every entry is
// written right after: a million zeros would only cost a pass over fresh
// memory.
#ifndef SIBLINGS_KORVALIB_COLUMN_H_
#define SIBLINGS_KORVALIB_COLUMN_H_

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace korvalib {

// Constructs elements without arguments by default-initialisation (no
// zeroing for doubles); everything else as std::allocator does.
template <typename T>
class DefaultInitAllocator : public std::allocator<T> {
 public:
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };

  DefaultInitAllocator() = default;
  template <typename U>
  DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

using Column = std::vector<double, DefaultInitAllocator<double>>;

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_COLUMN_H_
