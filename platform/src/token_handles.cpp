#include <map>
#include <mutex>

#include "kernel_handles.h"
#include "winerror.h"
#include "winsecurity.h"

namespace {

struct HandleTable {
  std::mutex mutex;
  std::map<HANDLE, std::shared_ptr<platform::KernelObject>> objects;
};

// Never destroyed: handles may still be used and closed from unload code and exit handlers.
HandleTable& handleTable() {
  static HandleTable* table = new HandleTable;
  return *table;
}

}  // namespace

namespace platform {

HANDLE AddHandle(std::unique_ptr<KernelObject> object) {
  HANDLE handle = object.get();
  HandleTable& table = handleTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  table.objects[handle] = std::move(object);
  return handle;
}

std::shared_ptr<KernelObject> FindHandle(HANDLE handle) {
  HandleTable& table = handleTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto found = table.objects.find(handle);
  return found == table.objects.end() ? nullptr : found->second;
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
  HandleTable& table = handleTable();
  std::shared_ptr<platform::KernelObject> closed;
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found != table.objects.end()) {
      closed = std::move(found->second);
      table.objects.erase(found);
    }
  }
  if (!closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
