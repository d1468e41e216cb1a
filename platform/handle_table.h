// HandleTable: slots addressed by opaque handle values, reused through a free
// list so that steady-state allocation and release never touch the heap.
// A handle carries its slot's generation: once released it stays invalid,
// even after the slot is handed out again. It also carries its table's tag,
// so that a handle of one table is never taken for one of another. Slots
// never move in memory. Not thread-safe: the platform runs on the host's one
// drawing thread, as the calls it stands in for are used there.
#ifndef PLATFORM_HANDLE_TABLE_H_
#define PLATFORM_HANDLE_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

static_assert(sizeof(void*) == 8, "handles pack a generation and an index");

template <typename T>
class HandleTable {
 public:
  // The low 32 bits of a handle: the slot index + 1, then the table's tag.
  // A table has at most kMaxSlots slots.
  static constexpr uint32_t kIndexBits = 24;
  static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
  static constexpr uint32_t kMaxSlots = kIndexMask - 1;

  explicit HandleTable(uint8_t tag) : tag_bits_(uint32_t{tag} << kIndexBits) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Returns the handle of a live slot and points *value at the slot's value:
  // whatever it last held (default-constructed when new), for the caller to
  // reset. Returns 0 (and leaves *value alone) when the table is full.
  uintptr_t Allocate(T** value) {
    uint32_t index;
    if (free_head_ != kNoSlot) {
      index = free_head_;
      free_head_ = At(index).next_free;
    } else if (size_ == kMaxSlots) {
      return 0;
    } else {
      index = size_;
      if ((size_ & kChunkMask) == 0) {
        chunks_.push_back(std::make_unique<Slot[]>(kChunkSize));
      }
      ++size_;
    }
    Slot& slot = At(index);
    slot.handle = (static_cast<uintptr_t>(slot.generation) << 32) | tag_bits_ |
                  (index + 1u);
    ++live_count_;
    *value = &slot.value;
    return slot.handle;
  }

  // Returns the slot's value, or null when the handle is not live.
  T* Find(uintptr_t handle) {
    Slot* slot = LiveSlot(handle);
    return slot == nullptr ? nullptr : &slot->value;
  }

  // Invalidates the handle; false when it was not live.
  bool Release(uintptr_t handle) {
    Slot* slot = LiveSlot(handle);
    if (slot == nullptr) return false;
    slot->handle = 0;
    slot->generation =
        slot->generation == UINT32_MAX ? 1 : slot->generation + 1;
    slot->next_free = free_head_;
    free_head_ = SlotOf(handle);
    --live_count_;
    return true;
  }

  size_t live_count() const { return live_count_; }

  // Returns the slot a handle names, the same for every handle the slot
  // gives out (wrapped to UINT32_MAX for a zero index field): for tables
  // that keep something per slot beside this one.
  static uint32_t SlotOf(uintptr_t handle) {
    return (static_cast<uint32_t>(handle) & kIndexMask) - 1u;
  }

  // Calls visit(value) for every live slot.
  template <typename Visit>
  void ForEachLive(Visit visit) {
    for (uint32_t index = 0; index < size_; ++index) {
      if (At(index).handle != 0) visit(At(index).value);
    }
  }

 private:
  static constexpr uint32_t kNoSlot = UINT32_MAX;
  // Slots sit in fixed chunks: growing never moves one, and finding one is
  // a shift and a mask.
  static constexpr uint32_t kChunkBits = 8;
  static constexpr uint32_t kChunkSize = 1u << kChunkBits;
  static constexpr uint32_t kChunkMask = kChunkSize - 1;

  struct Slot {
    T value{};
    uintptr_t handle = 0;  // the slot's live handle, 0 while free
    uint32_t generation = 1;
    uint32_t next_free = kNoSlot;
  };

  // A handle is live when it is exactly the one its slot holds: that checks
  // the tag, the generation and that the slot is in use at once.
  Slot* LiveSlot(uintptr_t handle) {
    const uint32_t index = SlotOf(handle);  // wraps for a zero index field
    if (index >= size_) return nullptr;
    Slot& slot = At(index);
    return slot.handle == handle && handle != 0 ? &slot : nullptr;
  }

  Slot& At(uint32_t index) {
    return chunks_[index >> kChunkBits][index & kChunkMask];
  }

  const uint32_t tag_bits_;
  std::vector<std::unique_ptr<Slot[]>> chunks_;
  uint32_t size_ = 0;
  uint32_t free_head_ = kNoSlot;
  size_t live_count_ = 0;
};

// The tables' tags.
constexpr uint8_t kWindowHandleTag = 1;
constexpr uint8_t kDeviceContextHandleTag = 2;
constexpr uint8_t kGdiObjectHandleTag = 3;

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
