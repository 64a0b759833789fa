// Where a library of the suite finds its language resource library: a sub-folder
// beside the library and a file extension, set once by the program at start-up
// (normally "Lng" and "LNG") and read by each library when it initialises.
#pragma once

#include "afxstr.h"
#include "wintypes.h"

// Each stores its value (at most 7 characters) for the whole process. 1 when stored;
// 0 for a null or longer value, which leaves the stored one as it was.
int PELK3_SetExtResourceFile(const char* extension);
int PELK3_SetSubdirResFile(const char* subfolder);

// The stored values; empty when never set.
void PELK3_GetExtResourceFile(CString& extension);
void PELK3_GetSubdirResFile(CString& subfolder);

// The language resource library of the library at `libraryPath`: its folder, then the
// sub-folder and a separator (when a sub-folder is set), then its file name, all cut
// after the last dot and followed by the extension. "/opt/x/Lib.so" gives
// "/opt/x/Lng/Lib.LNG"; a dot found only in a folder name cuts there. Returns 1 with
// the path, or 0 (and an empty path) when there is none: no extension set, no
// separator or no dot in the path. Loads nothing.
int PELK3_BuildResourceFilePath(const char* libraryPath, CString& resourcePath);

// The same for a loaded module, from its file name. 0 also when that name cannot be
// read whole into MAX_PATH characters: a cut name could lead to another file.
int PELK3_GetResourceFilePath(HMODULE module, CString& resourcePath);
