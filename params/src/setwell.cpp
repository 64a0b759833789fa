// The singleton's life, Init and the folders.
#include <cstdio>
#include <new>

#include "Setwell.h"
#include "param_cache.h"
#include "path_text.h"
#include "platform_files.h"
#include "user_config_folder.h"
#include "winerror.h"
#include "winfile.h"
#include "winmodule.h"

Setwell* Setwell::m_Instance = nullptr;

Setwell* Setwell::GetInstance() {
  if (!m_Instance) m_Instance = new (std::nothrow) Setwell;
  return m_Instance;
}

Setwell::Setwell() : m_SharedCache(new CParamCache), m_UserCache(new CParamCache) {}

Setwell::~Setwell() {
  if (!Flush()) {
    m_SharedCache->ReportPending(stderr);
    m_UserCache->ReportPending(stderr);
  }
  if (m_Instance == this) m_Instance = nullptr;
}

void Setwell::Init(const char* settingsFile) {
  if (m_Initialised || !settingsFile || !*settingsFile) return;
  if (HasSeparator(settingsFile)) {
    m_SettingsFile = settingsFile;
    m_ApplicationDirectory = FolderPart(m_SettingsFile);
  } else {
    m_SettingsFile = GetApplicationDirectory(m_ApplicationDirectory) + CString(settingsFile);
  }
  m_UserConfigFolder = UserConfigFolderOf(m_SettingsFile);
  m_UserCache->SetUserFolder(m_UserConfigFolder);
  m_Initialised = 1;
}

const char* Setwell::GetApplicationDirectory(CString& target) {
  char path[1024];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  target = CString(path, length < sizeof(path) ? static_cast<int>(length) : 0);
  if (HasSeparator(target)) target = FolderPart(target);
  return target;
}

int Setwell::CreateUserConfigFolder() {
  if (!m_Initialised || m_UserFolderCreated) return -1;
  if (m_UserConfigFolder.IsEmpty()) return 3;
  // A fresh account has none of the parents (not even ~/.config).
  platform::MakeFolders(platform::ParentFolder(m_UserConfigFolder.str()));
  int result = 3;
  if (CreateDirectoryA(m_UserConfigFolder, nullptr))
    result = 1;
  else if (GetLastError() == ERROR_ALREADY_EXISTS)
    result = 2;
  m_UserFolderCreated = result != 3;
  return result;
}

bool Setwell::IsFileExists(const std::string& path, bool inUserFolder, std::string& outPath) {
  std::string tested = path;
  if (inUserFolder) {
    const size_t cut = path.find_last_of(platform::kPathSeparator);
    tested = m_UserConfigFolder.str() + (cut == std::string::npos ? std::string() : path.substr(cut + 1));
    outPath = tested;
  }
  const DWORD attributes = GetFileAttributesA(tested.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
