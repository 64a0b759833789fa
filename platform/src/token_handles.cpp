#include <map>
#include <mutex>

#include "kernel_handles.h"
#include "winerror.h"
#include "winsecurity.h"

namespace {

std::mutex g_handlesMutex;
std::map<HANDLE, std::unique_ptr<platform::KernelObject>> g_handles;

}  // namespace

namespace platform {

HANDLE AddHandle(std::unique_ptr<KernelObject> object) {
  HANDLE handle = object.get();
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  g_handles[handle] = std::move(object);
  return handle;
}

KernelObject* FindHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  auto found = g_handles.find(handle);
  return found == g_handles.end() ? nullptr : found->second.get();
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
  std::unique_ptr<platform::KernelObject> closed;
  {
    std::lock_guard<std::mutex> lock(g_handlesMutex);
    auto found = g_handles.find(handle);
    if (found != g_handles.end()) {
      closed = std::move(found->second);
      g_handles.erase(found);
    }
  }
  if (!closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
