#include "CWebBrowser2.h"
#include "winerror.h"

namespace {

const CLSID kWebBrowserClsid = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

}  // namespace

CLSID const& CWebBrowser2::GetClsid() { return kWebBrowserClsid; }

BOOL CWebBrowser2::Create(LPCSTR, LPCSTR, DWORD, const RECT&, CWnd*, UINT, void*) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

BOOL CWebBrowser2::Create(LPCSTR, DWORD, const RECT&, CWnd*, UINT, void*, BOOL, const WCHAR*) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
