#include <mutex>

#include "afxdll.h"
#include "winmodule.h"

namespace {

// Recursive: a library's load or unload may load or free its language module.
// Never destroyed: libraries free their language modules from their unload code.
std::recursive_mutex& loadingMutex() {
  static std::recursive_mutex* mutex = new std::recursive_mutex;
  return *mutex;
}

}  // namespace

HINSTANCE AfxLoadLibrary(LPCSTR fileName) {
  std::lock_guard<std::recursive_mutex> lock(loadingMutex());
  return LoadLibraryA(fileName);
}

BOOL AfxFreeLibrary(HINSTANCE library) {
  std::lock_guard<std::recursive_mutex> lock(loadingMutex());
  return FreeLibrary(library);
}
