#include "folder_correction.h"

#include "Setwell.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winfile.h"

namespace {

constexpr DWORD kFolderSize = 260;

struct CorrectionFolders {
  bool found = false;
  CString documents;
  CString system;
};

CorrectionFolders& folders() {
  static CorrectionFolders* instance = new CorrectionFolders;  // lives until the library unloads
  if (!instance->found) {
    char path[MAX_PATH] = {};
    if (instance->documents.IsEmpty() &&
        SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, path) == S_OK)
      instance->documents = path;
    if (!instance->documents.IsEmpty() && instance->system.IsEmpty() && GetSystemDirectoryA(path, MAX_PATH) < MAX_PATH)
      instance->system = path;
    instance->found = true;
  }
  return *instance;
}

bool folderExistsOrCreated(const CString& folder) {
  const DWORD attributes = GetFileAttributesA(folder);
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return CreateDirectoryA(folder, nullptr) != 0;
}

CString readFolder(const char* file, const char* key, int userLayer) {
  char buffer[kFolderSize] = {};
  const DWORD count =
      Setwell::GetInstance()->ReadStringParameter("DIRECTORIES", key, "", buffer, kFolderSize, file, userLayer, 0);
  return CString(buffer, static_cast<int>(count < kFolderSize ? count : kFolderSize - 1));
}

CString loadLayer(const char* file, const char* key, int userLayer) {
  const CString value = readFolder(file, key, userLayer);
  CString corrected;
  if (!CorrectFolder(value, corrected)) return value;
  if (folderExistsOrCreated(corrected))
    Setwell::GetInstance()->WriteParameter("DIRECTORIES", key, corrected, file, userLayer);
  return corrected;
}

}  // namespace

const CString& DocumentsFolder() { return folders().documents; }
const CString& SystemFolderForCorrection() { return folders().system; }

bool CorrectFolder(const CString& value, CString& corrected) {
  const CString& system = SystemFolderForCorrection();
  if (system.IsEmpty() || value.Find(system) != 0) return false;
  if (value.GetLength() > system.GetLength() && value[system.GetLength()] != platform::kPathSeparator) return false;
  corrected = DocumentsFolder() + value.Mid(system.GetLength());
  return true;
}

CString LoadFolderSetting(const char* dirListFile, const char* key) {
  loadLayer(dirListFile, key, 0);
  return loadLayer(dirListFile, key, 1);
}
