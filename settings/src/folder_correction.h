// Folder settings with the system-folder correction: a folder that lies in the
// system folder is moved under the user's documents folder.
#pragma once

#include "afxstr.h"

// The process-wide documents and system folders, found once. The system folder stays
// empty while the documents folder is unknown, which turns the correction off.
const CString& DocumentsFolder();
const CString& SystemFolderForCorrection();

// `value` with a leading system folder replaced by the documents folder: only a value
// equal to the system folder or going on with a separator after it. False when the
// value is not in the system folder or the correction is off.
bool CorrectFolder(const CString& value, CString& corrected);

// Reads a "DIRECTORIES" key of the dir-list file, shared layer then user layer, each
// corrected and written back to its layer when the corrected folder exists or could
// be created. Returns the user-layer value after correction.
CString LoadFolderSetting(const char* dirListFile, const char* key);
