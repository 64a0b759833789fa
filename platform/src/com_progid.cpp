#include <cstring>
#include <string>

#include "afxstr.h"
#include "objbase.h"
#include "winreg.h"

namespace {

int hexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// `count` hex digits at `at` as a number; false on any other character.
bool readHex(const std::string& text, size_t at, size_t count, uint32_t& value) {
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    int digit = hexValue(text[i]);
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", nothing more and nothing less.
bool parseBracedGuid(const std::string& text, GUID& guid) {
  if (text.size() != 38 || text[0] != '{' || text[37] != '}') return false;
  for (size_t dash : {9u, 14u, 19u, 24u}) {
    if (text[dash] != '-') return false;
  }
  uint32_t part1, part2, part3, byte;
  if (!readHex(text, 1, 8, part1) || !readHex(text, 10, 4, part2) || !readHex(text, 15, 4, part3)) return false;
  GUID read{part1, static_cast<uint16_t>(part2), static_cast<uint16_t>(part3), {}};
  const size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!readHex(text, byteAt[i], 2, byte)) return false;
    read.Data4[i] = static_cast<uint8_t>(byte);
  }
  guid = read;
  return true;
}

// The default value of HKCR\<ProgID>\CLSID, or empty.
std::string registeredClassText(const CString& progId) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, progId + "\\CLSID", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
  char text[64] = {};
  DWORD size = sizeof(text) - 1;
  DWORD type = REG_NONE;
  LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return "";
  return std::string(text, strnlen(text, size));
}

}  // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid) {
  if (!progId || !clsid) return E_INVALIDARG;
  CString name(progId);
  if (name.IsEmpty()) return CO_E_CLASSSTRING;
  return parseBracedGuid(registeredClassText(name), *clsid) ? S_OK : CO_E_CLASSSTRING;
}
