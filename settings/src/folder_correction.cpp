#include "folder_correction.h"

#include "Setwell.h"
#include "platform_paths.h"
#include "setting_read.h"
#include "winerror.h"
#include "winfile.h"

namespace {

constexpr int kFolderSize = 260;

struct CorrectionFolders {
  CString documents;
  CString system;  // stays empty while the documents folder is unknown
};

CorrectionFolders findFolders() {
  CorrectionFolders found;
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, path) != S_OK) return found;
  found.documents = path;
  if (GetSystemDirectoryA(path, MAX_PATH) < MAX_PATH) found.system = path;
  return found;
}

// Found once per process.
const CorrectionFolders& folders() {
  static const CorrectionFolders instance = findFolders();
  return instance;
}

// `value` with a leading system folder replaced by the documents folder: only a value
// equal to the system folder or going on with a separator after it.
bool correctFolder(const CString& value, CString& corrected) {
  const CString& system = folders().system;
  if (system.IsEmpty() || value.Left(system.GetLength()) != system) return false;
  if (value.GetLength() > system.GetLength() && value[system.GetLength()] != platform::kPathSeparator) return false;
  corrected = folders().documents + value.Mid(system.GetLength());
  return true;
}

bool folderExistsOrCreated(const CString& folder) {
  const DWORD attributes = GetFileAttributesA(folder);
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return CreateDirectoryA(folder, nullptr) != 0;
}

CString loadLayer(const char* file, const char* key, int userLayer) {
  const CString value = ReadSettingText(file, "DIRECTORIES", key, kFolderSize, "", userLayer);
  CString corrected;
  if (!correctFolder(value, corrected)) return value;
  if (folderExistsOrCreated(corrected))
    Setwell::GetInstance()->WriteParameter("DIRECTORIES", key, corrected, file, userLayer);
  return corrected;
}

}  // namespace

const CString& DocumentsFolder() { return folders().documents; }

CString LoadFolderSetting(const char* dirListFile, const char* key) {
  loadLayer(dirListFile, key, 0);
  return loadLayer(dirListFile, key, 1);
}
