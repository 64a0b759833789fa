#include "ui_gui_library.h"

#include <dlfcn.h>


#include "sibling_library.h"

namespace platform::ui {
namespace {

const PlatformGuiEntries* loadGuiLibrary() {
  using EntryTable = const PlatformGuiEntries* (*)();
  auto table = reinterpret_cast<EntryTable>(SiblingLibrarySymbol(kGuiLibraryFile, kGuiEntryTableSymbol));
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
