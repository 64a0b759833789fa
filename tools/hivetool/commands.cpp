#include "commands.h"

#include <strings.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "value_text.h"

namespace hivetool {
namespace {

struct Value {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
};

// An open key, closed when it goes out of scope.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (m_handle) RegCloseKey(m_handle);
  }
  HKEY* out() { return &m_handle; }
  operator HKEY() const { return m_handle; }

 private:
  HKEY m_handle = nullptr;
};

constexpr DWORD kLongestValueName = 16384;

LONG OpenKey(HKEY parent, const std::string& subkey, REGSAM access, Key& key) {
  return RegOpenKeyExA(parent, subkey.c_str(), 0, access, key.out());
}

bool ValueExists(HKEY key, const std::string& name) {
  return RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LONG ReadValues(HKEY key, std::vector<Value>& values) {
  std::vector<char> name(kLongestValueName + 1);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(name.size()), size = 0;
    Value value;
    LONG status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    value.data.assign(size, '\0');
    nameSize = static_cast<DWORD>(name.size());
    status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &value.type,
                           reinterpret_cast<BYTE*>(&value.data[0]), &size);
    if (status != ERROR_SUCCESS) return status;
    value.name.assign(name.data(), nameSize);
    value.data.resize(size);
    values.push_back(value);
  }
}

LONG SubkeyNames(HKEY key, std::vector<std::string>& names) {
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD size = sizeof(name);
    LONG status = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    names.emplace_back(name, size);
  }
}

std::string DisplayName(const std::string& name) { return name.empty() ? "(Default)" : name; }

void PrintValue(const Value& value) {
  std::printf("    %s    %s    %s\n", DisplayName(value.name).c_str(), TypeName(value.type).c_str(),
              DataText(value.type, value.data).c_str());
}

// The key's values, then its subkeys: listed, or shown in full with `recurse`.
LONG ShowKey(HKEY key, const std::string& path, bool recurse) {
  std::vector<Value> values;
  std::vector<std::string> names;
  LONG status = ReadValues(key, values);
  if (status == ERROR_SUCCESS) status = SubkeyNames(key, names);
  if (status != ERROR_SUCCESS) return status;
  std::printf("\n%s\n", path.c_str());
  for (const Value& value : values) PrintValue(value);
  if (!recurse) {
    if (!names.empty()) std::printf("\n");
    for (const std::string& name : names) std::printf("%s\\%s\n", path.c_str(), name.c_str());
    return ERROR_SUCCESS;
  }
  for (const std::string& name : names) {
    Key child;
    status = OpenKey(key, name, KEY_READ, child);
    if (status == ERROR_SUCCESS) status = ShowKey(child, path + "\\" + name, true);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

// Shows the value `name` of the key (under the name it was made with), and with
// `recurse` of every key below it.
LONG FindValue(HKEY key, const std::string& path, const std::string& name, bool recurse, int& matches) {
  std::vector<Value> values;
  std::vector<std::string> names;
  LONG status = ReadValues(key, values);
  if (status == ERROR_SUCCESS && recurse) status = SubkeyNames(key, names);
  if (status != ERROR_SUCCESS) return status;
  for (const Value& value : values) {
    if (strcasecmp(value.name.c_str(), name.c_str()) != 0) continue;
    std::printf("\n%s\n", path.c_str());
    PrintValue(value);
    ++matches;
  }
  for (const std::string& child : names) {
    Key opened;
    status = OpenKey(key, child, KEY_READ, opened);
    if (status == ERROR_SUCCESS) status = FindValue(opened, path + "\\" + child, name, true, matches);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

LONG DeleteTree(HKEY parent, const std::string& subkey) {
  std::vector<std::string> names;
  {
    Key key;
    LONG status = OpenKey(parent, subkey, KEY_READ, key);
    if (status == ERROR_SUCCESS) status = SubkeyNames(key, names);
    for (size_t i = 0; status == ERROR_SUCCESS && i < names.size(); ++i) status = DeleteTree(key, names[i]);
    if (status != ERROR_SUCCESS) return status;
  }
  return RegDeleteKeyA(parent, subkey.c_str());
}

// Asks on the terminal unless /f was given.
bool Confirmed(const Request& request, const std::string& question) {
  if (request.force) return true;
  std::printf("%s (Yes/No)? ", question.c_str());
  std::fflush(stdout);
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return strcasecmp(answer.c_str(), "y") == 0 || strcasecmp(answer.c_str(), "yes") == 0;
}

int Done(LONG status) {
  if (status != ERROR_SUCCESS) return Fail(status);
  std::printf("The operation completed successfully.\n");
  return 0;
}

int Cancelled() {
  std::printf("The operation was canceled by the user.\n");
  return 0;
}

const char* MessageOf(LONG status) {
  switch (status) {
    case ERROR_FILE_NOT_FOUND:
      return "The system was unable to find the specified registry key or value.";
    case ERROR_ACCESS_DENIED:
      return "Access is denied.";
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
      return "Invalid key name.";
    case ERROR_BADDB:
      return "The configuration registry database is corrupt.";
    case ERROR_REGISTRY_CORRUPT:
      return "The registry is corrupted.";
    case ERROR_CANTOPEN:
      return "The configuration registry key could not be opened.";
    case ERROR_KEY_DELETED:
      return "The key has been marked for deletion.";
    default:
      return nullptr;
  }
}

}  // namespace

int Fail(LONG status) {
  if (const char* message = MessageOf(status))
    std::fprintf(stderr, "ERROR: %s\n", message);
  else
    std::fprintf(stderr, "ERROR: Registry error %ld.\n", static_cast<long>(status));
  return 1;
}

int Query(const Request& request) {
  Key key;
  LONG status = OpenKey(request.root, request.subkey, KEY_READ, key);
  if (status != ERROR_SUCCESS) return Fail(status);
  if (!request.oneValue) {
    status = ShowKey(key, request.keyPath, request.recurse);
    return status == ERROR_SUCCESS ? 0 : Fail(status);
  }
  int matches = 0;
  status = FindValue(key, request.keyPath, request.valueName, request.recurse, matches);
  if (status != ERROR_SUCCESS) return Fail(status);
  if (request.recurse) std::printf("End of search: %d match(es) found.\n", matches);
  return matches ? 0 : Fail(ERROR_FILE_NOT_FOUND);
}

int Add(const Request& request) {
  std::string data;
  if (request.oneValue && !DataFromText(request.type, request.data, data)) {
    std::fprintf(stderr, "ERROR: Invalid syntax. The data is not a valid %s.\n", TypeName(request.type).c_str());
    return 1;
  }
  Key key;
  LONG status = RegCreateKeyExA(request.root, request.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.out(), nullptr);
  if (status != ERROR_SUCCESS || !request.oneValue) return Done(status);
  if (ValueExists(key, request.valueName) &&
      !Confirmed(request, "Value " + DisplayName(request.valueName) + " exists, overwrite"))
    return Cancelled();
  return Done(RegSetValueExA(key, request.valueName.c_str(), 0, request.type,
                             reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())));
}

int Delete(const Request& request) {
  Key key;
  LONG status = OpenKey(request.root, request.subkey, KEY_ALL_ACCESS, key);
  if (status != ERROR_SUCCESS) return Fail(status);
  if (request.oneValue) {
    if (!Confirmed(request, "Delete the registry value " + DisplayName(request.valueName))) return Cancelled();
    return Done(RegDeleteValueA(key, request.valueName.c_str()));
  }
  if (request.allValues) {
    if (!Confirmed(request, "Delete all values under the registry key " + request.keyPath)) return Cancelled();
    std::vector<Value> values;
    status = ReadValues(key, values);
    for (size_t i = 0; status == ERROR_SUCCESS && i < values.size(); ++i)
      status = RegDeleteValueA(key, values[i].name.c_str());
    return Done(status);
  }
  if (request.subkey.empty()) return Fail(ERROR_INVALID_PARAMETER);
  if (!Confirmed(request, "Permanently delete the registry key " + request.keyPath)) return Cancelled();
  return Done(DeleteTree(request.root, request.subkey));
}

}  // namespace hivetool
