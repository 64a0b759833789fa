#include "global_wide_text.h"

#include "afxstr.h"
#include "winheap.h"
#include "winnls.h"

namespace platform::net {

LPWSTR GlobalWideCopy(const std::string& utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (units <= 0) return nullptr;
  auto* wide = static_cast<LPWSTR>(GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(units) * sizeof(WCHAR)));
  if (wide) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, units);
  return wide;
}

std::string Utf8Of(LPCWSTR wide) { return std::string(CString(wide).GetString()); }

}  // namespace platform::net
