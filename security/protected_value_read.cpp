// CCDecryptDataFromRegistry: a protected value back to its text.
#include <cstring>
#include <vector>

#include "Security.h"
#include "dpapi.h"

namespace {

// The value's bytes, whatever its type.
LONG ReadValue(HKEY root, const CString& subKey, const CString& valueName, std::vector<BYTE>& data) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyA(root, subKey, &key);
  if (status != ERROR_SUCCESS) return status;
  DWORD size = 0;
  status = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data.assign(size, 0);
    status = RegQueryValueExA(key, valueName, nullptr, nullptr, data.data(), &size);
  }
  RegCloseKey(key);
  return status;
}

}  // namespace

int CCDecryptDataFromRegistry(HKEY root, CString subKey, CString valueName, CString& plaintext, long& status) {
  plaintext.Empty();
  std::vector<BYTE> data;
  status = ReadValue(root, subKey, valueName, data);
  if (status != ERROR_SUCCESS) return 0;
  DATA_BLOB blob = {static_cast<DWORD>(data.size()), data.data()}, clear = {0, nullptr};
  if (!CryptUnprotectData(&blob, nullptr, nullptr, nullptr, nullptr, 0, &clear)) return 0;
  const char* text = reinterpret_cast<const char*>(clear.pbData);
  plaintext = CString(text, static_cast<int>(strnlen(text, clear.cbData)));
  SecureZeroMemory(clear.pbData, clear.cbData);
  LocalFree(clear.pbData);
  return 1;
}
