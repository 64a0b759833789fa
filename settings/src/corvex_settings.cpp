#include "CorvexSettings.h"

#include <cstdlib>

#include "Setwell.h"
#include "SettingsAccess.h"
#include "settings_instance.h"

// Without a file name nothing is loaded: every query keeps its "not loaded" answer.
void CCorvexSettings::SetFile(const char* path) {
  if (!path || !*path) return;
  Setwell* setwell = Setwell::GetInstance();
  if (setwell) setwell->Init(path);
  if (!SettingsInstance() && setwell) SettingsInstance() = new CSettingsAccess(path);
}

CSettingsAccess* CCorvexSettings::GetSettings() { return SettingsInstance(); }

CString CCorvexSettings::GetSettingsFile() {
  const CSettingsAccess* settings = GetSettings();
  return settings ? settings->GetSettingsFile() : CString();
}

void CCorvexSettings::SetRegPath(const char* path) {
  CSettingsAccess* settings = GetSettings();
  if (settings && path) settings->SetRegPath(path);
}

int CCorvexSettings::IsInstallOK(CString& message) const {
  const CSettingsAccess* settings = GetSettings();
  if (!settings) return 0;
  if (!settings->GetInstallFlag()) message = settings->GetInstallMessage();
  return settings->GetInstallFlag();
}

void CCorvexSettings::Serialize(CArchive& archive) {
  if (CSettingsAccess* settings = GetSettings()) settings->Serialize(archive);
}

CString CCorvexSettings::GetTextSetting(SettingId id) const {
  if (id < 0 || id >= SETTING_COUNT) return CString();
  if (const CSettingsAccess* settings = GetSettings()) return settings->GetText(id);
  const SettingSchemaEntry& entry = SettingSchema(id);
  if (entry.size > 0) return entry.textDefault;
  CString text;
  text.Format("%d", entry.integerDefault);
  return text;
}

int CCorvexSettings::GetIntSetting(SettingId id) const {
  if (id < 0 || id >= SETTING_COUNT) return 0;
  if (const CSettingsAccess* settings = GetSettings()) return settings->GetInt(id);
  const SettingSchemaEntry& entry = SettingSchema(id);
  return entry.size > 0 ? std::atoi(entry.textDefault) : entry.integerDefault;
}
