#include "registry_machine.h"

#include <fstream>
#include <sstream>

#include "platform_paths.h"

namespace platform {
namespace registry {
namespace {

struct MachineKey {
  KeyId parent;
  const char* name;
};

// Key ids are positions in this table plus one; children follow in name order.
const MachineKey kKeys[] = {
    {0, ""},  // HKEY_LOCAL_MACHINE
    {1, "SOFTWARE"},
    {2, "Microsoft"},
    {3, "Windows NT"},
    {4, "CurrentVersion"},
    {0, ""},  // HKEY_USERS
};
constexpr KeyId kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);
constexpr KeyId kCurrentVersion = 5;
const char kProductName[] = "ProductName";

bool ReadProductName(Value& value) {
  std::ifstream in(OsReleaseFile(), std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  value = Value{kProductName, REG_SZ, PrettyNameOf(text.str())};
  value.data.push_back('\0');  // REG_SZ data carries its terminating zero
  return true;
}

std::string Unquote(const std::string& text) {
  if (text.size() < 2 || (text.front() != '"' && text.front() != '\'') || text.back() != text.front()) return text;
  const std::string inner = text.substr(1, text.size() - 2);
  if (text.front() == '\'') return inner;
  std::string plain;
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '\\' && i + 1 < inner.size()) ++i;
    plain.push_back(inner[i]);
  }
  return plain;
}

}  // namespace

std::string PrettyNameOf(const std::string& osRelease) {
  std::istringstream lines(osRelease);
  const std::string prefix = "PRETTY_NAME=";
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, prefix.size(), prefix) == 0) return Unquote(line.substr(prefix.size()));
  }
  return "Linux";
}

LONG MachineKeys::Grant(REGSAM desired, REGSAM& granted) const {
  if (desired & MAXIMUM_ALLOWED) {
    granted = KEY_READ;
    return ERROR_SUCCESS;
  }
  granted = desired;
  return (desired & ~(KEY_READ | KEY_WOW64_RES)) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

LONG MachineKeys::OpenKey(KeyId parent, const KeyPath& path, KeyId& key) {
  KeyId current = parent;
  for (const std::string& element : path) {
    KeyId child = 0;
    for (KeyId id = 1; id <= kKeyCount && !child; ++id)
      if (kKeys[id - 1].parent == current && SameName(kKeys[id - 1].name, element)) child = id;
    if (!child) return ERROR_FILE_NOT_FOUND;
    current = child;
  }
  key = current;
  return ERROR_SUCCESS;
}

LONG MachineKeys::CreateKey(KeyId, const KeyPath&, KeyId&, bool&) { return ERROR_ACCESS_DENIED; }
LONG MachineKeys::DeleteKey(KeyId) { return ERROR_ACCESS_DENIED; }
LONG MachineKeys::SetValue(KeyId, const std::string&, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
LONG MachineKeys::DeleteValue(KeyId, const std::string&) { return ERROR_ACCESS_DENIED; }
LONG MachineKeys::Flush(KeyId) { return ERROR_SUCCESS; }

LONG MachineKeys::GetValue(KeyId key, const std::string& name, Value& value) {
  if (key != kCurrentVersion || !SameName(name, kProductName)) return ERROR_FILE_NOT_FOUND;
  return ReadProductName(value) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG MachineKeys::SubkeyAt(KeyId key, DWORD index, std::string& name) {
  for (KeyId id = 1; id <= kKeyCount; ++id) {
    if (kKeys[id - 1].parent != key) continue;
    if (index-- == 0) {
      name = kKeys[id - 1].name;
      return ERROR_SUCCESS;
    }
  }
  return ERROR_NO_MORE_ITEMS;
}

LONG MachineKeys::ValueAt(KeyId key, DWORD index, Value& value) {
  if (key != kCurrentVersion || index != 0 || !ReadProductName(value)) return ERROR_NO_MORE_ITEMS;
  return ERROR_SUCCESS;
}

}  // namespace registry
}  // namespace platform
