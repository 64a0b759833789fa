// A library that still uses the platform from its unload code, after the program's
// main has returned, as the suite's libraries do when they log on their way out.
#include <unistd.h>

#include "afxstr.h"
#include "winnls.h"
#include "winsecurity.h"

namespace {

HANDLE token = nullptr;

__attribute__((constructor)) void OpenToken() { OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token); }

__attribute__((destructor)) void UseThePlatformOnTheWayOut() {
  CString text;
  text.LoadString(1);
  char point[8];
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool used = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, sizeof(point)) > 0 &&
                    GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
                    CloseHandle(token);
  if (!used) _exit(3);
}

}  // namespace

extern "C" int ResTestUnloadUserReady() { return token != nullptr; }
