// The table that turns engine handles into objects. Handles are positive,
// never 0, and not reused while the counter has not wrapped; an unknown
// handle finds nothing. The table owns every object until it is removed.
#ifndef SIBLINGS_KORVALIB_HANDLE_TABLE_H_
#define SIBLINGS_KORVALIB_HANDLE_TABLE_H_

#include <memory>
#include <mutex>
#include <unordered_map>

#include "siblings/korvalib/korva_object.h"

namespace korvalib {

class HandleTable {
 public:
  HandleTable() = default;
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Returns the new object's handle (> 0).
  int Add(std::unique_ptr<KorvaObject> object);
  // Destroys the object of handle; unknown handles are ignored.
  void Remove(int handle);
  // Returns the object of handle, or null. The pointer stays valid until
  // the handle is removed; one handle must not be used from two threads.
  KorvaObject* Find(int handle);

 private:
  std::mutex mutex_;  // guards the map only, not the objects
  std::unordered_map<int, std::unique_ptr<KorvaObject>> objects_;
  int next_handle_ = 1;
};

// Returns the process-wide table.
HandleTable& Handles();

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_HANDLE_TABLE_H_
