// Resources: every module (the program or a shared object) may carry one resource
// table, compiled in from a text source by the resource compiler: a string table,
// dialog templates and a version block.
//
// Everything is copied out of the module: nothing returned here points into it, so a
// result stays valid after the module is freed. A module whose table is damaged
// counts as a module without a table. NULL names the program.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "wintypes.h"

#ifndef ERROR_RESOURCE_TYPE_NOT_FOUND
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#endif
#ifndef ERROR_RESOURCE_NAME_NOT_FOUND
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#endif

// Copies string `id` of `instance` into `buffer`, cut to bufferMax-1 bytes (never in
// the middle of a UTF-8 character) and ended with a NUL. Returns the length copied,
// 0 when the string is missing (ERROR_RESOURCE_NAME_NOT_FOUND, or
// ERROR_RESOURCE_TYPE_NOT_FOUND for a module without a table) or the buffer is unusable.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// The sides of its dialog a control follows when the dialog is resized. A control
// anchored LEFT|TOP keeps its place and size; LEFT|RIGHT stretches horizontally.
enum ControlAnchor : unsigned {
  kAnchorNone = 0,
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};

struct DialogControlTemplate {
  int id = 0;
  std::string className;  // "BUTTON", "STATIC", "EDIT" or a custom class
  std::string text;
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  unsigned anchors = kAnchorLeft | kAnchorTop;

  bool operator==(const DialogControlTemplate& other) const;
};

struct DialogTemplate {
  UINT id = 0;
  std::string title;
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::vector<DialogControlTemplate> controls;

  bool operator==(const DialogTemplate& other) const;
};

struct VersionInfo {
  WORD fileVersion[4] = {0, 0, 0, 0};     // major, minor, build, revision
  WORD productVersion[4] = {0, 0, 0, 0};
  WORD language = 0x0409;                 // the translation: language id ...
  WORD codePage = 1252;                   // ... and code page
  std::map<std::string, std::string> values;  // "CompanyName", "FileVersion", ...

  bool operator==(const VersionInfo& other) const;
};

namespace platform {

// String `id` of one module.
bool LoadResourceString(HINSTANCE module, UINT id, std::string& text);
// String `id` through the process's resource chain: AfxGetResourceHandle()'s module
// first, then the attached extension modules (afxdll.h).
bool LoadResourceString(UINT id, std::string& text);

std::optional<DialogTemplate> FindDialogTemplate(HINSTANCE module, UINT id);
// Through the resource chain, like LoadResourceString(id, text).
std::optional<DialogTemplate> FindDialogTemplate(UINT id);

std::optional<VersionInfo> FindVersionInfo(HINSTANCE module);

// Reads and checks the module's table now rather than at its first use: 0 when the
// module carries a whole table of its own, ERROR_RESOURCE_TYPE_NOT_FOUND when it has
// none, ERROR_INVALID_DATA when its table is damaged.
DWORD CheckResourceTable(HINSTANCE module);

}  // namespace platform
