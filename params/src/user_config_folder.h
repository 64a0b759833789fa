// Where the user layer of a settings file lives.
#pragma once

#include "afxstr.h"

// The user configuration folder named by the settings file, with a trailing
// separator, or empty: "DIRECTORIES"/"USERCONFIG", else "PROJECT" cut after its last
// separator with "UserConfig" appended. A leading "~/" names the user's home.
CString UserConfigFolderOf(const char* settingsFile);
