// The calls the platform makes into its windowed part, the library PlatformGui, which it
// loads beside itself on demand: one table of plain C functions, fetched by one symbol.
#pragma once

#include "wintypes.h"

extern "C" {

struct PlatformGuiEntries {
  // Shows a message box (UTF-8 text and caption, a valid type) and returns the pressed
  // button's ID, or 0 when no window can be shown.
  int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
  // Runs work(context) on the Qt GUI thread and waits (platform::ui::RunOnGuiThread).
  void (*runOnGuiThread)(void (*work)(void* context), void* context);
  // Ends the calling thread's running event loop, or else its next one (PostQuitMessage).
  void (*quitLoop)(int exitCode);
};

// The one symbol PlatformGui exports for the platform.
const PlatformGuiEntries* PlatformGuiEntryTable();

}  // extern "C"

namespace platform::ui {

constexpr char kGuiLibraryFile[] = "PlatformGui.so";
constexpr char kGuiEntryTableSymbol[] = "PlatformGuiEntryTable";

}  // namespace platform::ui
