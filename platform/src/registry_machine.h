// The machine keys (HKEY_LOCAL_MACHINE, HKEY_USERS): a fixed, read-only tree. The one
// value it holds is the product name of the system, taken from the os-release file.
#pragma once

#include "registry_store.h"

namespace platform {
namespace registry {

class MachineKeys : public KeyStore {
 public:
  static constexpr KeyId kLocalMachineRoot = 1;
  static constexpr KeyId kUsersRoot = 6;

  LONG Grant(REGSAM desired, REGSAM& granted) const override;
  LONG OpenKey(KeyId parent, const KeyPath& path, KeyId& key) override;
  LONG CreateKey(KeyId parent, const KeyPath& path, KeyId& key, bool& created) override;
  LONG DeleteKey(KeyId key) override;
  LONG SetValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size) override;
  LONG GetValue(KeyId key, const std::string& name, Value& value) override;
  LONG DeleteValue(KeyId key, const std::string& name) override;
  LONG SubkeyAt(KeyId key, DWORD index, std::string& name) override;
  LONG ValueAt(KeyId key, DWORD index, Value& value) override;
  LONG Flush(KeyId key) override;
};

// PRETTY_NAME of an os-release file's text, unquoted; "Linux" when it has none.
std::string PrettyNameOf(const std::string& osRelease);

}  // namespace registry
}  // namespace platform
