// The Windows profile calls: file names, buffers and counts over the cached documents.
#include <cstring>
#include <string>
#include <vector>

#include "platform_files.h"
#include "platform_paths.h"
#include "profile_store.h"
#include "winerror.h"
#include "winprofile.h"

namespace {

// A bare file name lives in the Windows folder; no name at all means win.ini there.
std::string profilePath(LPCSTR fileName) {
  std::string name = fileName ? fileName : "win.ini";
  if (name.find(platform::kPathSeparator) == std::string::npos)
    name = platform::WindowsFolder() + platform::kPathSeparator + name;
  return platform::ResolvePath(name);
}

// Copies a value: cut to size-1 characters when too long.
DWORD copyValue(const std::string& text, LPSTR buffer, DWORD size) {
  const size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

// Copies names, each followed by a zero, plus a final zero. When they do not all
// fit, the list is cut after size-2 characters, closed by two zeros, and size-2 returned.
DWORD copyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  std::string list;
  for (const std::string& name : names) list.append(name).push_back('\0');
  if (list.size() < size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = buffer[size - 1] = '\0';
  return size - 2;
}

std::string unquoted(const std::string& value) {
  const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return quoted ? value.substr(1, value.size() - 2) : value;
}

// Windows drops the default's trailing blanks.
std::string defaultText(LPCSTR defaultValue) {
  std::string text = defaultValue ? defaultValue : "";
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

// Leading digits as Windows reads them: optional sign, then decimal or "0x" hex;
// no digits give 0. Arithmetic wraps at 32 bits.
UINT leadingInteger(const std::string& text) {
  size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  unsigned base = 10;
  if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
    base = 16;
    i += 2;
  }
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

// "k=v\0k2=v2\0\0" into its strings.
std::vector<std::string> splitList(LPCSTR list) {
  std::vector<std::string> items;
  for (const char* item = list; *item; item += std::strlen(item) + 1) items.emplace_back(item);
  return items;
}

BOOL update(LPCSTR fileName, const std::function<void(platform::ProfileDocument&)>& edit) {
  return platform::UpdateProfile(profilePath(fileName), edit) ? TRUE : FALSE;
}

// The end of the run of values set in the section of changes[first].
size_t valueRunEnd(const ProfileChange* changes, size_t first, size_t count) {
  size_t end = first;
  while (end < count && changes[end].key && changes[end].value &&
         platform::ProfileDocument::SameName(changes[end].section, changes[first].section))
    ++end;
  return end;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  if (!buffer || size == 0) return 0;
  const auto document = platform::LoadProfile(profilePath(fileName));
  if (!section) return copyList(document ? document->SectionNames() : std::vector<std::string>(), buffer, size);
  if (!key) {
    const std::vector<std::string> names = document ? document->KeyNames(section) : std::vector<std::string>();
    if (!names.empty()) return copyList(names, buffer, size);
    return copyValue(defaultText(defaultValue), buffer, size);
  }
  const std::string* value = document ? document->Value(section, key) : nullptr;
  return copyValue(value ? unquoted(*value) : defaultText(defaultValue), buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  if (!section || !key) return static_cast<UINT>(defaultValue);
  const auto document = platform::LoadProfile(profilePath(fileName));
  const std::string* value = document ? document->Value(section, key) : nullptr;
  if (!value || unquoted(*value).empty()) return static_cast<UINT>(defaultValue);
  return leadingInteger(unquoted(*value));
}

DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName) {
  if (!buffer || size == 0) return 0;
  const auto document = section ? platform::LoadProfile(profilePath(fileName)) : nullptr;
  return copyList(document ? document->Entries(section) : std::vector<std::string>(), buffer, size);
}

DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName) {
  return GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer, size, fileName);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section) {
    if (!key && !value) platform::ForgetProfile(fileName ? profilePath(fileName) : std::string());
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const ProfileChange change{section, key, value};
  return WritePrivateProfileBatchA(fileName, &change, 1);
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) {
  if (!section) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!lines) return update(fileName, [&](platform::ProfileDocument& document) { document.DeleteSection(section); });
  const std::vector<std::string> entries = splitList(lines);
  return update(fileName, [&](platform::ProfileDocument& document) { document.ReplaceEntries(section, entries); });
}

BOOL WritePrivateProfileBatchA(LPCSTR fileName, const ProfileChange* changes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (!changes || !changes[i].section) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  return update(fileName, [&](platform::ProfileDocument& document) {
    for (size_t i = 0; i < count;) {
      const ProfileChange& change = changes[i];
      if (!change.key) {
        document.DeleteSection(change.section);
        ++i;
      } else if (!change.value) {
        document.DeleteKey(change.section, change.key);
        ++i;
      } else {
        // A run of values set in one section goes in together: one pass over the lines.
        const size_t end = valueRunEnd(changes, i, count);
        std::vector<std::pair<std::string, std::string>> values;
        for (; i < end; ++i) values.emplace_back(changes[i].key, changes[i].value);
        document.SetValues(change.section, values);
      }
    }
  });
}
