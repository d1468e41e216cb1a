// HandleTable: slots addressed by opaque handle values, reused through a free
// list so that steady-state allocation and release never touch the heap.
// A handle carries its slot's generation: once released it stays invalid,
// even after the slot is handed out again. Slots never move in memory.
#ifndef PLATFORM_HANDLE_TABLE_H_
#define PLATFORM_HANDLE_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <deque>

static_assert(sizeof(void*) == 8, "handles pack a generation and an index");

template <typename T>
class HandleTable {
 public:
  HandleTable() = default;
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Returns the handle of a live slot; its value is whatever the slot last
  // held (default-constructed when new), for the caller to reset.
  uintptr_t Allocate() {
    uint32_t index;
    if (free_head_ != kNoSlot) {
      index = free_head_;
      free_head_ = slots_[index].next_free;
    } else {
      index = static_cast<uint32_t>(slots_.size());
      slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.live = true;
    ++live_count_;
    return (static_cast<uintptr_t>(slot.generation) << 32) | (index + 1u);
  }

  // Returns the slot's value, or null when the handle is not live.
  T* Find(uintptr_t handle) {
    const uint32_t low = static_cast<uint32_t>(handle);
    if (low == 0 || low > slots_.size()) return nullptr;
    Slot& slot = slots_[low - 1];
    if (!slot.live || slot.generation != static_cast<uint32_t>(handle >> 32)) {
      return nullptr;
    }
    return &slot.value;
  }

  // Returns the slot index of a handle (valid only for a live handle).
  static uint32_t IndexOf(uintptr_t handle) {
    return static_cast<uint32_t>(handle) - 1u;
  }

  // Invalidates the handle; false when it was not live.
  bool Release(uintptr_t handle) {
    if (Find(handle) == nullptr) return false;
    const uint32_t index = IndexOf(handle);
    Slot& slot = slots_[index];
    slot.live = false;
    slot.generation = slot.generation == UINT32_MAX ? 1 : slot.generation + 1;
    slot.next_free = free_head_;
    free_head_ = index;
    --live_count_;
    return true;
  }

  size_t live_count() const { return live_count_; }

 private:
  static constexpr uint32_t kNoSlot = UINT32_MAX;

  struct Slot {
    T value{};
    uint32_t generation = 1;
    uint32_t next_free = kNoSlot;
    bool live = false;
  };

  std::deque<Slot> slots_;  // a deque: growing never moves a slot
  uint32_t free_head_ = kNoSlot;
  size_t live_count_ = 0;
};

// Conversions between table handle values and the platform's handle types.
template <typename Handle>
Handle HandleFromBits(uintptr_t bits) {
  return reinterpret_cast<Handle>(bits);
}
template <typename Handle>
uintptr_t HandleBits(Handle handle) {
  return reinterpret_cast<uintptr_t>(handle);
}

#endif  // PLATFORM_HANDLE_TABLE_H_
