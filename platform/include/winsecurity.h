// Process tokens: enough to ask whether the process runs elevated, which here means
// with effective user id 0.
#pragma once

#include "winerror.h"
#include "winthread.h"
#include "wintypes.h"

typedef HANDLE* PHANDLE;

#define TOKEN_QUERY 0x0008

typedef enum _TOKEN_INFORMATION_CLASS { TokenUser = 1, TokenElevation = 20 } TOKEN_INFORMATION_CLASS;

typedef struct _TOKEN_ELEVATION {
  DWORD TokenIsElevated;
} TOKEN_ELEVATION, *PTOKEN_ELEVATION;

// The pseudo handle that names the calling process (also declared with the debug-help calls).

// A token of the current process, as it is at the time of the call.
BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token);

// TokenElevation only; the token must have been opened with TOKEN_QUERY.
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS informationClass, LPVOID information,
                         DWORD informationLength, PDWORD returnLength);

// Closes a handle the platform handed out.
BOOL CloseHandle(HANDLE handle);
