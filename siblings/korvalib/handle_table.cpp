#include "siblings/korvalib/handle_table.h"

#include <climits>
#include <utility>

namespace korvalib {

int HandleTable::Add(std::unique_ptr<KorvaObject> object) {
  std::lock_guard<std::mutex> lock(mutex_);
  // Skip handles still in use once the counter has wrapped around.
  while (objects_.count(next_handle_) != 0) {
    next_handle_ = next_handle_ == INT_MAX ? 1 : next_handle_ + 1;
  }
  const int handle = next_handle_;
  next_handle_ = next_handle_ == INT_MAX ? 1 : next_handle_ + 1;
  objects_.emplace(handle, std::move(object));
  return handle;
}

void HandleTable::Remove(int handle) {
  std::unique_ptr<KorvaObject> removed;  // destroyed outside the lock
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = objects_.find(handle);
  if (it == objects_.end()) return;
  removed = std::move(it->second);
  objects_.erase(it);
}

KorvaObject* HandleTable::Find(int handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : it->second.get();
}

HandleTable& Handles() {
  // Never destroyed, so that a handle released during static destruction
  // (by a chart object of the host) still finds its table.
  static HandleTable* const table = new HandleTable;
  return *table;
}

}  // namespace korvalib
