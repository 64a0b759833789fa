#include "ui_gui_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "platform_paths.h"

namespace platform::ui {
namespace {

// PlatformGui lies in the same folder as this library.
std::string guiLibraryPath() {
  Dl_info info;
  if (!dladdr(reinterpret_cast<const void*>(&guiLibraryPath), &info) || !info.dli_fname) return kGuiLibraryFile;
  const std::string self = info.dli_fname;
  const size_t slash = self.rfind(kPathSeparator);
  return slash == std::string::npos ? kGuiLibraryFile : self.substr(0, slash + 1) + kGuiLibraryFile;
}

const PlatformGuiEntries* loadGuiLibrary() {
  const std::string path = guiLibraryPath();
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);  // never closed: windows live to the end
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    return nullptr;
  }
  using EntryTable = const PlatformGuiEntries* (*)();
  auto table = reinterpret_cast<EntryTable>(dlsym(library, kGuiEntryTableSymbol));
  return table ? table() : nullptr;
}

bool qtInProcess() {
  void* qt = dlopen("libQt6Core.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (qt) dlclose(qt);  // only asked; the reference count stays as it was
  return qt != nullptr;
}

}  // namespace

const PlatformGuiEntries* GuiLibrary() {
  static const PlatformGuiEntries* const entries = loadGuiLibrary();
  return entries;
}

void RunOnGuiThreadIfAny(const std::function<void()>& work) {
  const PlatformGuiEntries* gui = qtInProcess() ? GuiLibrary() : nullptr;
  if (!gui) return work();
  gui->runOnGuiThread([](void* context) { (*static_cast<const std::function<void()>*>(context))(); },
                      const_cast<std::function<void()>*>(&work));
}

}  // namespace platform::ui
