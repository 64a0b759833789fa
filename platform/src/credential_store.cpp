#include "credential_store.h"

#include <vector>

#include "dpapi.h"
#include "winreg.h"

namespace platform {
namespace {

// Blob content: user name, a zero, password.
DATA_BLOB blobOf(std::string& text) { return DATA_BLOB{static_cast<DWORD>(text.size()), reinterpret_cast<BYTE*>(text.data())}; }

void wipe(std::string& text) { SecureZeroMemory(text.data(), text.size()); }

bool readBlob(const std::string& target, std::vector<BYTE>& blob) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kCredentialStoreKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExA(key, target.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_SUCCESS && type == REG_BINARY) {
    blob.resize(size);
    status = RegQueryValueExA(key, target.c_str(), nullptr, nullptr, blob.data(), &size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_BINARY;
}

}  // namespace

StoredCredential::~StoredCredential() {
  wipe(user);
  wipe(password);
}

bool ReadStoredCredential(const std::string& target, StoredCredential& credential) {
  std::vector<BYTE> blob;
  if (!readBlob(target, blob)) return false;
  std::string entropyText = target;
  DATA_BLOB in = {static_cast<DWORD>(blob.size()), blob.data()}, entropy = blobOf(entropyText), out = {};
  if (!CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) return false;
  std::string text(reinterpret_cast<const char*>(out.pbData), out.cbData);
  SecureZeroMemory(out.pbData, out.cbData);
  LocalFree(out.pbData);
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) {
    credential.user = text.substr(0, zero);
    credential.password = text.substr(zero + 1);
  }
  wipe(text);
  return zero != std::string::npos;
}

bool StoreCredential(const std::string& target, const StoredCredential& credential) {
  std::string text = credential.user + '\0' + credential.password, entropyText = target;
  DATA_BLOB in = blobOf(text), entropy = blobOf(entropyText), out = {};
  const bool sealed = CryptProtectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out);
  wipe(text);
  if (!sealed) return false;
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kCredentialStoreKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key, target.c_str(), 0, REG_BINARY, out.pbData, out.cbData);
    RegCloseKey(key);
  }
  LocalFree(out.pbData);
  return status == ERROR_SUCCESS;
}

}  // namespace platform
