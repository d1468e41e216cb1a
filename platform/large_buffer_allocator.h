// LargeBufferAllocator: the allocator of buffers that grow to megabytes as a
// picture is drawn (a million markers' records) and of window rasters.
// Blocks of 1 MiB and more are rounded up to whole 2 MiB pages, aligned to
// them and backed by huge pages where the kernel offers them, so that first
// touching one takes a page fault per 2 MiB instead of per 4 KiB. Smaller
// blocks come from operator new.
#ifndef PLATFORM_LARGE_BUFFER_ALLOCATOR_H_
#define PLATFORM_LARGE_BUFFER_ALLOCATOR_H_

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

template <typename T>
class LargeBufferAllocator {
 public:
  using value_type = T;

  LargeBufferAllocator() = default;
  template <typename U>
  explicit LargeBufferAllocator(const LargeBufferAllocator<U>& /*other*/) {}

  T* allocate(size_t n) {
    if (n > std::numeric_limits<size_t>::max() / sizeof(T) - kHugePage) {
      throw std::bad_array_new_length();
    }
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) return static_cast<T*>(::operator new(bytes));
    const size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Advice only: without huge pages the block works as any other.
    madvise(block, rounded, MADV_HUGEPAGE);
    return static_cast<T*>(block);
  }

  void deallocate(T* block, size_t n) {
    if (n * sizeof(T) < kLargeBlock) {
      ::operator delete(block);
    } else {
      std::free(block);
    }
  }

  friend bool operator==(const LargeBufferAllocator&,
                         const LargeBufferAllocator&) {
    return true;
  }
  friend bool operator!=(const LargeBufferAllocator&,
                         const LargeBufferAllocator&) {
    return false;
  }

 private:
  static constexpr size_t kHugePage = size_t{2} << 20;
  static constexpr size_t kLargeBlock = size_t{1} << 20;
};

#endif  // PLATFORM_LARGE_BUFFER_ALLOCATOR_H_
