#include "tavix32.h"
#include "winsecurity.h"

BOOL IsProcessElevated() {
  HANDLE token = nullptr;
  BOOL elevated = FALSE;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size)) {
      elevated = static_cast<BOOL>(elevation.TokenIsElevated);
    }
  }
  if (token) CloseHandle(token);
  return elevated;
}
