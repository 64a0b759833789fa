// Where the user layer of a settings file lives.
#pragma once

#include "afxstr.h"

// The user configuration folder named by the settings file, with a trailing
// separator, or empty: "DIRECTORIES"/"USERCONFIG", else "PROJECT" cut after its last
// separator with "UserConfig" appended. A leading "~/" names the user's home; a home
// that is the root or unknown gives no folder.
CString UserConfigFolderOf(const char* settingsFile);
