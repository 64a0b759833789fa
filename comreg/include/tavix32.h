// Per-user registration of in-process COM servers, without administrator rights.
// The library exports these two functions by name, with C linkage, and nothing else.
#pragma once

#include "wintypes.h"

#define TAVIX32_API extern "C" __attribute__((visibility("default")))

// Registers the server library for the current user: its DllRegisterServer runs while
// HKEY_CLASSES_ROOT stands for HKEY_CURRENT_USER\SOFTWARE\Classes. A ProgID (may be
// null or empty) that already resolves means the server is registered: S_OK at once.
// Failures come back as HRESULTs; the library is always freed again.
TAVIX32_API HRESULT RegUserCom(const char* serverPath, const char* progId);

// 1 when the process runs elevated (effective user id 0), 0 otherwise or on failure.
TAVIX32_API BOOL IsProcessElevated();
