// Text handed out by the WinHTTP calls: UTF-16 copies the caller frees with GlobalFree.
#pragma once

#include <string>

#include "wintypes.h"

namespace platform::net {

// A zero-terminated UTF-16 copy of UTF-8 text in GlobalAlloc memory; null when memory is short.
LPWSTR GlobalWideCopy(const std::string& utf8);

// The UTF-8 text of a UTF-16 string ("" for null).
std::string Utf8Of(LPCWSTR wide);

}  // namespace platform::net
