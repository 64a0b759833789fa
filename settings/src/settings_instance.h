// The one settings object of the process.
#pragma once

class CSettingsAccess;

// Null until CCorvexSettings::SetFile.
CSettingsAccess*& SettingsInstance();
// Deletes the settings object (and with it Setwell, which writes pending changes).
// Runs when the library is unloaded; benchmarks call it to load afresh.
void DeleteSettingsInstance();
