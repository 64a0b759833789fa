// Modules: the program and shared objects, through the dynamic loader.
// An HMODULE is the loader's handle; NULL names the program itself.
#pragma once

#include "wintypes.h"

typedef int (*FARPROC)();

// Full path of the module (absolute). On a cut, copies size-1 characters and a
// zero, returns size and sets ERROR_INSUFFICIENT_BUFFER. 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
// NULL: the program's handle. A name: an already loaded module, or NULL.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// The module that holds the given address (for a library to find its own handle).
HMODULE GetModuleHandleFromAddress(const void* address);

HMODULE LoadLibraryA(LPCSTR fileName);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);

// The calling library's own module handle.
#define THIS_MODULE_HANDLE() GetModuleHandleFromAddress(reinterpret_cast<const void*>(&corvex_module_anchor_))
namespace {
[[maybe_unused]] const char corvex_module_anchor_ = 0;
}
