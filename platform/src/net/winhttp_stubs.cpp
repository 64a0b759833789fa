#include "winhttp.h"

BOOL WinHttpGetIEProxyConfigForCurrentUser(WINHTTP_CURRENT_USER_IE_PROXY_CONFIG*) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

HINTERNET WinHttpOpen(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, DWORD) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return nullptr;
}

BOOL WinHttpGetProxyForUrl(HINTERNET, LPCWSTR, WINHTTP_AUTOPROXY_OPTIONS*, WINHTTP_PROXY_INFO*) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

BOOL WinHttpCloseHandle(HINTERNET) {
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
