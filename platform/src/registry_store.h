// What a registry key handle reaches: a tree of keys, each with typed values.
// Two trees exist: the user's hive (SQLite) and the fixed, read-only machine keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "winreg.h"

namespace platform {
namespace registry {

using KeyId = int64_t;
using KeyPath = std::vector<std::string>;

struct Value {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
};

// Key and value names compare without regard to ASCII case.
bool SameName(const std::string& a, const std::string& b);

// Splits "A\B\C" into its elements. Null or empty text is the key itself.
LONG SplitKeyPath(LPCSTR text, KeyPath& path);

class KeyStore {
 public:
  virtual ~KeyStore() = default;

  // The rights a handle to this store may hold, given the rights asked for.
  virtual LONG Grant(REGSAM desired, REGSAM& granted) const = 0;

  virtual LONG OpenKey(KeyId parent, const KeyPath& path, KeyId& key) = 0;
  // Creates every missing level; `created` tells whether the last level is new.
  virtual LONG CreateKey(KeyId parent, const KeyPath& path, KeyId& key, bool& created) = 0;
  // Refused with ERROR_ACCESS_DENIED while the key has subkeys.
  virtual LONG DeleteKey(KeyId key) = 0;

  virtual LONG SetValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size) = 0;
  virtual LONG GetValue(KeyId key, const std::string& name, Value& value) = 0;
  virtual LONG DeleteValue(KeyId key, const std::string& name) = 0;

  // Enumeration by position; ERROR_NO_MORE_ITEMS past the end.
  virtual LONG SubkeyAt(KeyId key, DWORD index, std::string& name) = 0;
  virtual LONG ValueAt(KeyId key, DWORD index, Value& value) = 0;

  // Makes everything written so far durable on disk; ERROR_KEY_DELETED when `key` is gone.
  virtual LONG Flush(KeyId key) = 0;
};

}  // namespace registry
}  // namespace platform
