#include "settings_instance.h"

#include "SettingsAccess.h"

CSettingsAccess*& SettingsInstance() {
  static CSettingsAccess* instance = nullptr;
  return instance;
}

void DeleteSettingsInstance() {
  delete SettingsInstance();
  SettingsInstance() = nullptr;
}

// At exit and at dlclose this runs before the destructors of Setwell and the platform
// layer, which this library depends on: Setwell can still write its files.
__attribute__((destructor)) static void UnloadSettings() { DeleteSettingsInstance(); }
