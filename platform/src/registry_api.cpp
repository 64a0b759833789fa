// The Windows registry calls: argument checks and buffer rules as on Windows, over
// the key stores reached through the handle table.
#include <cstring>

#include "ktmw32.h"
#include "registry_handles.h"
#include "registry_transaction.h"
#include "winreg.h"

using platform::registry::KeyId;
using platform::registry::KeyPath;
using platform::registry::KeyRef;
using platform::registry::ResolvedKey;
using platform::registry::Session;
using platform::registry::Value;

namespace {

std::string NameOrDefault(LPCSTR name) { return name ? name : ""; }

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Copies data out under the size rules of RegQueryValueExA: a null buffer asks for the size.
// A string stored without its terminating zero gets one where the buffer has room for
// it; the size reported stays the stored size.
LONG HandOutData(const Value& value, LPBYTE data, LPDWORD size) {
  if (!size) return ERROR_SUCCESS;
  const std::string& bytes = value.data;
  const DWORD needed = static_cast<DWORD>(bytes.size());
  if (data && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (data && needed) std::memcpy(data, bytes.data(), needed);
  if (data && *size > needed && IsStringType(value.type) && needed && bytes.back() != '\0') data[needed] = 0;
  *size = needed;
  return ERROR_SUCCESS;
}

// Copies a name and its terminating zero; `count` is in characters, without the zero on return.
LONG HandOutName(const std::string& name, LPSTR buffer, LPDWORD count) {
  if (name.size() + 1 > *count) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *count = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Opens `lpSubKey` under `hKey`; with `created` given, makes it (and missing levels)
// when absent and says whether it did. A bad `hKey` leaves `phkResult` as it was;
// any other failure sets it to null.
// With `transaction` the new handle, and every key opened below it, belongs to that
// transaction, which starts here when it does not run yet.
LONG OpenSubkey(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, PHKEY phkResult, bool* created = nullptr,
                uint64_t transaction = 0) {
  Session session;
  ResolvedKey parent;
  LONG status = session.Resolve(hKey, 0, parent);
  if (status == ERROR_SUCCESS && transaction) status = session.BeginTransaction(transaction);
  if (status != ERROR_SUCCESS) return status;
  *phkResult = nullptr;
  KeyPath path;
  KeyRef child = parent.ref;
  if (transaction) child.transaction = transaction;
  status = platform::registry::SplitKeyPath(lpSubKey, path);
  if (status == ERROR_SUCCESS) status = parent.store->Grant(samDesired, child.access);
  if (status == ERROR_SUCCESS) status = parent.store->OpenKey(parent.ref.id, path, child.id);
  // As on Windows, making a subkey asks only for the new key's rights, not for any on the parent.
  if (status == ERROR_FILE_NOT_FOUND && created)
    status = parent.store->CreateKey(parent.ref.id, path, child.id, *created);
  if (status == ERROR_SUCCESS) *phkResult = session.AddHandle(child);
  return status;
}

// RegOpenKeyA and RegCreateKeyA hand back the same handle for a null or empty subkey.
LONG SameHandle(HKEY hKey, PHKEY phkResult) {
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, 0, key);
  if (status == ERROR_SUCCESS) *phkResult = hKey;
  return status;
}

// Copies a value's name and data for RegEnumValueA. When either does not fit, nothing
// is copied and only the data size needed is reported.
LONG HandOutEnumeratedValue(const Value& value, LPSTR name, LPDWORD nameCount, LPBYTE data, LPDWORD size) {
  const bool nameFits = value.name.size() < *nameCount;
  const bool dataFits = !data || *size >= value.data.size();
  if (!nameFits || !dataFits) {
    if (size) *size = static_cast<DWORD>(value.data.size());
    return ERROR_MORE_DATA;
  }
  HandOutName(value.name, name, nameCount);
  return HandOutData(value, data, size);
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  return OpenSubkey(hKey, lpSubKey, samDesired, phkResult);
}

LONG RegOpenKeyTransactedA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult, HANDLE hTransaction,
                           PVOID) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  const uint64_t transaction = platform::registry::TransactionId(hTransaction);
  if (!transaction) return ERROR_INVALID_HANDLE;
  return OpenSubkey(hKey, lpSubKey, samDesired, phkResult, nullptr, transaction);
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (!lpSubKey || !*lpSubKey) {
    if (hKey) return SameHandle(hKey, phkResult);
    *phkResult = nullptr;  // Windows hands a null key back as it is, without a complaint
    return ERROR_SUCCESS;
  }
  return OpenSubkey(hKey, lpSubKey, MAXIMUM_ALLOWED, phkResult);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
  bool created = false;
  LONG status = OpenSubkey(hKey, lpSubKey, samDesired, phkResult, &created);
  if (status == ERROR_SUCCESS && lpdwDisposition)
    *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return status;
}

LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (!lpSubKey || !*lpSubKey) return SameHandle(hKey, phkResult);
  return RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr, phkResult,
                         nullptr);
}

LONG RegCloseKey(HKEY hKey) { return Session().CloseHandle(hKey); }

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, KEY_SET_VALUE, key);
  if (status != ERROR_SUCCESS) return status;
  return key.store->SetValue(key.ref.id, NameOrDefault(lpValueName), dwType, lpData, cbData);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, KEY_QUERY_VALUE, key);
  Value value;
  if (status == ERROR_SUCCESS) status = key.store->GetValue(key.ref.id, NameOrDefault(lpValueName), value);
  if (status != ERROR_SUCCESS) return status;
  if (lpType) *lpType = value.type;
  return HandOutData(value, lpData, lpcbData);
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, KEY_SET_VALUE, key);
  if (status != ERROR_SUCCESS) return status;
  return key.store->DeleteValue(key.ref.id, NameOrDefault(lpValueName));
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  KeyPath path;
  LONG status = platform::registry::SplitKeyPath(lpSubKey, path);
  if (status != ERROR_SUCCESS) return status;
  if (path.empty() && platform::registry::IsPredefined(hKey)) return ERROR_ACCESS_DENIED;
  Session session;
  ResolvedKey parent;
  status = session.Resolve(hKey, 0, parent);
  KeyId doomed = 0;
  if (status == ERROR_SUCCESS) status = parent.store->OpenKey(parent.ref.id, path, doomed);
  if (status != ERROR_SUCCESS) return status;
  return parent.store->DeleteKey(doomed);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                   LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName || lpReserved) return ERROR_INVALID_PARAMETER;
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, KEY_ENUMERATE_SUB_KEYS, key);
  std::string name;
  if (status == ERROR_SUCCESS) status = key.store->SubkeyAt(key.ref.id, dwIndex, name);
  if (status == ERROR_SUCCESS) status = HandOutName(name, lpName, lpcchName);
  // Keys carry neither a class nor a write time here.
  if (status == ERROR_SUCCESS && lpClass && lpcchClass) status = HandOutName("", lpClass, lpcchClass);
  if (status == ERROR_SUCCESS && lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
  return status;
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, KEY_QUERY_VALUE, key);
  Value value;
  if (status == ERROR_SUCCESS) status = key.store->ValueAt(key.ref.id, dwIndex, value);
  if (status != ERROR_SUCCESS) return status;
  if (lpType) *lpType = value.type;
  return HandOutEnumeratedValue(value, lpValueName, lpcchValueName, lpData, lpcbData);
}

LONG RegFlushKey(HKEY hKey) {
  Session session;
  ResolvedKey key;
  LONG status = session.Resolve(hKey, 0, key);
  return status == ERROR_SUCCESS ? key.store->Flush(key.ref.id) : status;
}

LONG RegOverridePredefKey(HKEY hKey, HKEY hNewHKey) {
  Session session;
  if (!hNewHKey) return session.Override(hKey, nullptr);
  // The override keeps its own copy of the key: the caller may close its handle at once.
  ResolvedKey replacement;
  LONG status = session.Resolve(hNewHKey, 0, replacement);
  return status == ERROR_SUCCESS ? session.Override(hKey, &replacement.ref) : status;
}
