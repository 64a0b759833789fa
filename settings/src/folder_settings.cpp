// The folder queries: single folders of the dir-list file and the default-folder list.
#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "winfile.h"

namespace {

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

}  // namespace

int CCorvexSettings::GetCorvexAutoSaveDir(CString& out) const { return GetFolder(SETTING_AutoSaveDir, out); }
int CCorvexSettings::GetPelkTempDir(CString& out) const { return GetFolder(SETTING_TempDir, out); }
int CCorvexSettings::GetUserConfigDir(CString& out) const { return GetFolder(SETTING_UserConfigDir, out); }
int CCorvexSettings::GetPluginsDir(CString& out) const { return GetFolder(SETTING_PluginsDir, out); }
int CCorvexSettings::GetGatewaysDir(CString& out) const { return GetFolder(SETTING_GatewaysDir, out); }
int CCorvexSettings::GetDefaultDir(CString& out) const { return GetFolder(SETTING_DefaultDir, out); }

CObArray* CCorvexSettings::GetDefaultFolderList() const { return settings() ? &settings()->GetFolders() : nullptr; }

int CCorvexSettings::FindDefaultFolder(const char* id, CString& out) const {
  if (!settings()) return 0;
  const CObArray& folders = settings()->GetFolders();
  for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
    const auto* folder = static_cast<const CCorvexFolderItem*>(folders[i]);
    if (folder->GetId() != id) continue;
    out = folder->GetLabel();
    return 1;
  }
  return 0;
}

int CCorvexSettings::GetProjectDefaultFolder(CString& out) { return FindDefaultFolder("PROJECT", out); }
int CCorvexSettings::GetCorvexProjectDir(CString& out) const { return FindDefaultFolder("PROJECT", out); }
int CCorvexSettings::GetTempDefaultFolder(CString& out) { return FindDefaultFolder("TMP", out); }
int CCorvexSettings::GetExportDefaultFolder(CString& out) { return FindDefaultFolder("EXPORT", out); }
int CCorvexSettings::GetPelkGraphfileDir(CString& out) const { return FindDefaultFolder("GRAPHFILES", out); }
int CCorvexSettings::GetPelkCadeExportfileDir(CString& out) const { return FindDefaultFolder("EXPORTCADE", out); }

void CCorvexSettings::SaveDefaultFolderData() {
  if (!settings()) return;
  const CObArray& folders = settings()->GetFolders();
  for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
    const auto* folder = static_cast<const CCorvexFolderItem*>(folders[i]);
    Setwell::GetInstance()->WriteParameter("DIRECTORIES", folder->GetId(), folder->GetLabel(),
                                           settings()->GetDirListFile(), 1);
  }
}

int CCorvexSettings::IsDefaultFolder() const {
  return settings() ? settings()->GetInt(SETTING_ToolsMenuDefaultFolder) : 0;
}

int CCorvexSettings::GetCorvexInterfaceFile(CString& out) const {
  if (settings() && !settings()->GetText(SETTING_TempDir).IsEmpty()) {
    char path[_MAX_PATH] = {};
    _makepath(path, nullptr, settings()->GetText(SETTING_TempDir), "INTERFAC.INF", nullptr);
    out = path;
  }
  return !out.IsEmpty();
}

CString CCorvexSettings::GetDirListFile() { return settings() ? settings()->GetDirListFile() : CString(); }
