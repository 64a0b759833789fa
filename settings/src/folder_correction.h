// Folder settings with the system-folder correction: a folder that lies in the
// system folder is moved under the user's documents folder.
#pragma once

#include "afxstr.h"

// The user's documents folder, found once per process with the system folder; while
// it is unknown, folders are loaded uncorrected.
const CString& DocumentsFolder();

// Reads a "DIRECTORIES" key of the dir-list file, shared layer then user layer, each
// corrected and written back to its layer when the corrected folder exists or could
// be created. Returns the user-layer value after correction.
CString LoadFolderSetting(const char* dirListFile, const char* key);
