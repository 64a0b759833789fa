// Where the CA bundle lives: the settings file's "CERT" folder, else a "CERT" folder
// beside the project folder, else one in the user's state folder.
#include "CCorvexNetworkUtils.h"
#include "CorvexSettings.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winfile.h"
#include "winprofile.h"

namespace {

const DWORD kFolderValueSize = 260;

CString ReadFolder(const char* key, const CString& settingsFile) {
  char value[kFolderValueSize] = {};
  GetPrivateProfileStringA(CCorvexNetworkUtils::SECTION, key, "", value, kFolderValueSize, settingsFile);
  return CString(platform::ExpandHomePrefix(value));
}

CString StateFolder() {
  const std::string state = platform::UserStateFolder();
  return CString(state.empty() ? platform::UserHome() + "/.halvorn" : state);
}

}  // namespace

CString CCorvexNetworkUtils::GetCertPath() {
  const CString settingsFile = CCorvexSettings().GetSettingsFile();
  CString folder = ReadFolder(KEY, settingsFile);
  if (folder.IsEmpty()) {
    folder = ReadFolder(DEFAULT_KEY, settingsFile);
    const int cut = folder.ReverseFind(platform::kPathSeparator);
    if (cut >= 0) folder = folder.Left(cut) + platform::kPathSeparator + USER_DIRECTORY;
  }
  // Never the file system's root: without either setting the bundle is the user's.
  if (folder.IsEmpty()) folder = StateFolder() + platform::kPathSeparator + USER_DIRECTORY;
  // Every missing level, so that a fresh home gets its bundle too.
  SHCreateDirectoryExA(nullptr, folder, nullptr);
  return folder + platform::kPathSeparator + CURL_CERT_NAME;
}

int CCorvexNetworkUtils::_CreateCertFolder(CString folder) {
  if (CreateDirectoryA(folder, nullptr)) return 1;
  return GetLastError() == ERROR_ALREADY_EXISTS ? 2 : 3;
}
