#include "user_config_folder.h"

#include <string>

#include "path_text.h"
#include "platform_paths.h"
#include "winprofile.h"

namespace {

// Empty when the home is the file system's root or unknown: the folder is refused
// rather than made at the root.
CString withHomeExpanded(const CString& folder) {
  if (folder.Find("~/") != 0) return folder;
  std::string home = platform::UserHome();
  while (!home.empty() && home.back() == platform::kPathSeparator) home.pop_back();
  if (home.empty()) return CString();
  return CString(home) + folder.Mid(1);
}

CString directoriesValue(const char* key, const char* settingsFile) {
  char buffer[1024];
  GetPrivateProfileStringA("DIRECTORIES", key, "", buffer, sizeof(buffer), settingsFile);
  return withHomeExpanded(buffer);
}

}  // namespace

CString UserConfigFolderOf(const char* settingsFile) {
  CString folder = directoriesValue("USERCONFIG", settingsFile);
  if (folder.IsEmpty()) {
    folder = directoriesValue("PROJECT", settingsFile);
    if (HasSeparator(folder)) folder = FolderPart(folder) + "UserConfig";
  }
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != platform::kPathSeparator)
    folder += platform::kPathSeparator;
  return folder;
}
