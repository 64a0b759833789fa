#include <vector>

#include "IniFile.h"
#include "winprofile.h"

namespace {

// The size Windows callers traditionally give a key list; the list grows past it.
constexpr DWORD kFirstListSize = 65520;

}  // namespace

CIniFile::CIniFile(const char* path, const char* reportPath) : m_Path(path), m_ReportPath(reportPath) {}

int CIniFile::GetKeyNames(const char* section, CStringArray& names) const {
  names.RemoveAll();
  std::vector<char> buffer(kFirstListSize);
  DWORD count = 0;
  // A list that fills the buffer to size-2 may have been cut: read again, larger.
  for (;;) {
    count = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()), m_Path);
    if (count + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  for (DWORD start = 0; start < count;) {
    const CString name(&buffer[start]);
    if (name.IsEmpty()) break;
    names.Add(name);
    start += static_cast<DWORD>(name.GetLength()) + 1;
  }
  return static_cast<int>(names.GetSize());
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
