// CCEncryptDataToRegistry: a text protected for the current user, as REG_BINARY.
#include <cstring>

#include "Security.h"
#include "dpapi.h"

namespace {

// Protects the text up to its first zero plus one zero byte, then wipes the text.
BOOL ProtectAndWipe(CString& plaintext, DATA_BLOB& blob) {
  DATA_BLOB clear = {static_cast<DWORD>(std::strlen(plaintext.GetString()) + 1),
                     reinterpret_cast<BYTE*>(const_cast<char*>(plaintext.GetString()))};
  const BOOL sealed = CryptProtectData(&clear, nullptr, nullptr, nullptr, nullptr, 0, &blob);
  SecureZeroMemory(plaintext.GetBuffer(), static_cast<SIZE_T>(plaintext.GetLength()) + 1);
  return sealed;
}

// Opens the key, creating it and its missing parents first when needed.
LONG OpenForWriting(HKEY root, const CString& subKey, HKEY& key) {
  if (RegOpenKeyA(root, subKey, &key) == ERROR_SUCCESS) return ERROR_SUCCESS;
  HKEY created = nullptr;
  LONG status = RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_QUERY_VALUE, nullptr,
                                &created, nullptr);
  if (status != ERROR_SUCCESS) return status;
  RegCloseKey(created);
  // Checked: writing through a handle that did not open could land in another key.
  return RegOpenKeyA(root, subKey, &key);
}

}  // namespace

int CCEncryptDataToRegistry(HKEY root, CString subKey, CString valueName, CString plaintext, long& status) {
  status = ERROR_SUCCESS;
  DATA_BLOB blob = {0, nullptr};
  if (!ProtectAndWipe(plaintext, blob)) return 0;
  HKEY key = nullptr;
  status = OpenForWriting(root, subKey, key);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key, valueName, 0, REG_BINARY, blob.pbData, blob.cbData);
    RegCloseKey(key);
  }
  LocalFree(blob.pbData);
  return status == ERROR_SUCCESS ? 1 : 0;
}
