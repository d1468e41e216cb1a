// Buffer: a vector for large work arrays (the engine's loaded columns, the
// charts' windowed values, a picture's display list). Its allocator leaves
// new elements uninitialised (every entry is written right after, so zeroing
// would be a wasted pass over fresh memory) and asks the kernel for 2 MB
// pages for big blocks, so that a million values fault in a few steps
// instead of thousands. Owned like any std::vector. Header only.
#ifndef BASE_BUFFER_H_
#define BASE_BUFFER_H_

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace kvbase {

constexpr size_t kHugePage = size_t{2} << 20;
// Blocks from this size on go to AllocateHugePages.
constexpr size_t kHugeBlock = size_t{4} << 20;

// Returns size bytes, 2 MB aligned and advised for huge pages, or nullptr.
// Released by std::free.
inline void* AllocateHugePages(size_t size) {
  const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
  if (rounded < size) return nullptr;  // size near SIZE_MAX
  void* block = std::aligned_alloc(kHugePage, rounded);
  // Only advice: where the kernel has no huge page, 4 KB pages serve.
  if (block != nullptr) madvise(block, rounded, MADV_HUGEPAGE);
  return block;
}

template <typename T>
class BufferAllocator {
 public:
  using value_type = T;

  BufferAllocator() = default;
  template <typename U>
  BufferAllocator(const BufferAllocator<U>&) noexcept {}

  T* allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    if (n * sizeof(T) < kHugeBlock) return std::allocator<T>().allocate(n);
    void* block = AllocateHugePages(n * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) < kHugeBlock) {
      std::allocator<T>().deallocate(p, n);
    } else {
      std::free(p);
    }
  }

  // Default-initialises: no zeroing for doubles and plain records.
  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <typename U>
  bool operator==(const BufferAllocator<U>&) const noexcept {
    return true;
  }
  template <typename U>
  bool operator!=(const BufferAllocator<U>&) const noexcept {
    return false;
  }
};

template <typename T>
using Buffer = std::vector<T, BufferAllocator<T>>;

}  // namespace kvbase

#endif  // BASE_BUFFER_H_
