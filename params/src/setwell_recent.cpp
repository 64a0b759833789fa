// The recent-file list, kept in section "RECENTFILES" of the user layer.
#include <string>
#include <vector>

#include "Setwell.h"
#include "param_cache.h"
#include "path_text.h"
#include "profile_value.h"
#include "winprofile.h"

namespace {

constexpr const char* kRecentSection = "RECENTFILES";
constexpr INT_PTR kMaxRecentFiles = 16;

INT_PTR indexOf(const CStringArray& list, const char* path) {
  for (INT_PTR i = 0; i < list.GetSize(); ++i)
    if (list[i].CompareNoCase(path) == 0) return i;
  return -1;
}

// From the last dot, in lower case; empty when there is no dot.
CString extensionOf(const CString& path) {
  const int dot = path.ReverseFind('.');
  return dot < 0 ? CString() : path.Mid(dot).MakeLower();
}

// The entry relative to the root (lower case) when it lies below it: the root is cut
// only where a path element ends, so "/data" leaves "/database/x.prj" whole.
CString relativeToRoot(const CString& entry, const CString& root) {
  CString lowered = entry;
  if (lowered.MakeLower().Find(root) != 0) return entry;
  const int length = root.GetLength();
  if (entry.GetLength() == length) return CString();
  if (root[length - 1] == platform::kPathSeparator) return entry.Mid(length);
  if (entry[length] == platform::kPathSeparator) return entry.Mid(length + 1);
  return entry;
}

CString lowerText(const char* text) {
  CString lowered(text);
  return lowered.MakeLower();
}

}  // namespace

void Setwell::_InitRecentFiles() {
  if (m_RecentFilesLoaded) return;
  CString path;
  if (m_UserCache->ResolveFile(m_SettingsFile, path)) {
    for (int number = 1; number <= kMaxRecentFiles; ++number) {
      const CString entry = ReadWholeProfileValue(kRecentSection, std::to_string(number).c_str(), "", path);
      if (!entry.IsEmpty()) m_RecentFiles.Add(entry);
    }
  }
  m_RecentFilesLoaded = 1;
  m_RecentFilesModified = 0;
}

void Setwell::AddRecentFile(const char* path) {
  if (!m_Initialised || !path || !*path || HasLineBreak(path)) return;
  _InitRecentFiles();
  const INT_PTR found = indexOf(m_RecentFiles, path);
  if (found == 0) return;
  if (found > 0) m_RecentFiles.RemoveAt(found);
  m_RecentFiles.InsertAt(0, path);
  if (m_RecentFiles.GetSize() > kMaxRecentFiles) m_RecentFiles.SetSize(kMaxRecentFiles);
  m_RecentFilesModified = 1;
}

void Setwell::DelRecentFile(const char* path) {
  if (!m_Initialised || !path) return;
  _InitRecentFiles();
  const INT_PTR found = indexOf(m_RecentFiles, path);
  if (found < 0) return;
  m_RecentFiles.RemoveAt(found);
  m_RecentFilesModified = 1;
}

int Setwell::GetRecentFiles(CStringArray& out, const char* extension, const char* root) {
  out.RemoveAll();
  if (!m_Initialised) return 0;
  _InitRecentFiles();
  const CString wantedExtension = lowerText(extension);
  const CString lowerRoot = lowerText(root);
  for (INT_PTR i = 0; i < m_RecentFiles.GetSize();) {
    const CString entry = m_RecentFiles[i];
    if (!wantedExtension.IsEmpty() && extensionOf(entry) != wantedExtension) {
      m_RecentFiles.RemoveAt(i);
      m_RecentFilesModified = 1;
      continue;
    }
    out.Add(lowerRoot.IsEmpty() ? entry : relativeToRoot(entry, lowerRoot));
    ++i;
  }
  return static_cast<int>(out.GetSize());
}

int Setwell::FlushRecentFiles() {
  if (!m_Initialised || !m_RecentFilesModified) return 1;
  CString path;
  if (!m_UserCache->ResolveFile(m_SettingsFile, path)) return 0;
  std::vector<std::string> numbers;
  for (INT_PTR i = 0; i < m_RecentFiles.GetSize(); ++i) numbers.push_back(std::to_string(i + 1));
  std::vector<ProfileChange> changes{{kRecentSection, nullptr, nullptr}};
  for (INT_PTR i = 0; i < m_RecentFiles.GetSize(); ++i)
    changes.push_back({kRecentSection, numbers[static_cast<size_t>(i)].c_str(), m_RecentFiles[i]});
  CreateUserConfigFolder();
  const bool written = WritePrivateProfileBatchA(path, changes.data(), changes.size());
  m_UserCache->Recheck(m_SettingsFile);  // the write may have made the user copy
  if (!written) return 0;
  m_RecentFilesModified = 0;
  return 1;
}
