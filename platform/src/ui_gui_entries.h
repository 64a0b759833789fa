// The calls the platform makes into its windowed part, the library PlatformGui, which it
// loads beside itself on demand: one table of plain C functions, fetched by one symbol.
#pragma once

#include "wintypes.h"

extern "C" {

// What the credential dialog shows (UTF-8 texts, null for none) and starts with.
struct CredentialsDialogRequest {
  HWND owner;
  const char* message;
  const char* caption;
  const char* target;
  int incorrectPassword;  // tell the user that the last logon failed
  int showSaveBox;
  int saveChecked;        // the save box's first state
  const char* user;       // the user name the dialog starts with
  unsigned maxUserChars;  // characters each field accepts
  unsigned maxPasswordChars;
};

struct PlatformGuiEntries {
  // Shows a message box (UTF-8 text and caption, a valid type) and returns the pressed
  // button's ID, or 0 when no window can be shown.
  int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
  // Runs work(context) on the Qt GUI thread and waits (platform::ui::RunOnGuiThread).
  void (*runOnGuiThread)(void (*work)(void* context), void* context);
  // Ends the calling thread's running event loop, or else its next one (PostQuitMessage).
  void (*quitLoop)(int exitCode);
  // Shows the credential dialog. On confirmation hands user, password (UTF-8) and the save
  // box's state to confirmed(context, ...) and returns NO_ERROR; else ERROR_CANCELLED, or
  // ERROR_NOT_SUPPORTED when no window can be shown.
  DWORD (*credentialsDialog)(const CredentialsDialogRequest* request,
                             void (*confirmed)(void* context, const char* user, const char* password, int save),
                             void* context);
};

// The one symbol PlatformGui exports for the platform.
const PlatformGuiEntries* PlatformGuiEntryTable();

}  // extern "C"

namespace platform::ui {

constexpr char kGuiLibraryFile[] = "PlatformGui.so";
constexpr char kGuiEntryTableSymbol[] = "PlatformGuiEntryTable";

}  // namespace platform::ui
