#include <vector>

#include "IniFile.h"
#include "winprofile.h"

namespace {

// The size Windows callers traditionally give a key list; the list grows past it.
constexpr DWORD kFirstListSize = 65520;

// A list of zero-terminated items read by `read` (a profile call taking a buffer and
// its size), read again larger while it may have been cut (size-2).
template <class Read>
void readList(const Read& read, CStringArray& items) {
  items.RemoveAll();
  std::vector<char> buffer(kFirstListSize);
  DWORD count = 0;
  for (;;) {
    count = read(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (count + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  for (DWORD start = 0; start < count;) {
    const CString item(&buffer[start]);
    if (item.IsEmpty()) break;
    items.Add(item);
    start += static_cast<DWORD>(item.GetLength()) + 1;
  }
}

}  // namespace

CIniFile::CIniFile(const char* path, const char* reportPath) : m_Path(path), m_ReportPath(reportPath) {}

int CIniFile::GetKeyNames(const char* section, CStringArray& names) const {
  readList(
      [&](char* buffer, DWORD size) { return GetPrivateProfileStringA(section, nullptr, "", buffer, size, m_Path); },
      names);
  return static_cast<int>(names.GetSize());
}

int CIniFile::GetEntries(const char* section, CStringArray& keys, CStringArray& values) const {
  CStringArray entries;
  readList([&](char* buffer, DWORD size) { return GetPrivateProfileSectionA(section, buffer, size, m_Path); }, entries);
  keys.RemoveAll();
  values.RemoveAll();
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
    const int equal = entries[i].Find('=');
    keys.Add(entries[i].Left(equal));
    values.Add(entries[i].Mid(equal + 1));
  }
  return static_cast<int>(keys.GetSize());
}

BOOL CIniFile::WriteReportedValue(const char* section, const char* key, const char* value, int index, int subIndex) {
  const BOOL written = WritePrivateProfileStringA(section, key, value, m_Path);
  if (m_ReportPath.IsEmpty()) return written;
  CString label;
  if (subIndex >= 0)
    label.Format("%s (%d)(%d) ", key, index, subIndex);
  else
    label.Format("%s (%d) ", key, index);
  return WritePrivateProfileStringA(section, label, value, m_ReportPath) && written;
}
