#include "user_config_folder.h"

#include <string>

#include "path_text.h"
#include "platform_paths.h"
#include "winprofile.h"

namespace {

// A "~/" value lies under the user's home; with the home at the root or unknown it is
// empty, so the folder is refused rather than made at the root.
CString directoriesValue(const char* key, const char* settingsFile) {
  char buffer[1024];
  GetPrivateProfileStringA("DIRECTORIES", key, "", buffer, sizeof(buffer), settingsFile);
  return CString(platform::ExpandHomePrefix(buffer));
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
