// Whole profile values, however long.
#pragma once

#include "afxstr.h"
#include "wintypes.h"

// GetPrivateProfileStringA into a buffer that grows until the result fits, so the
// value (or a key list, NULs included) comes back uncut.
CString ReadWholeProfileValue(const char* section, const char* key, const char* defaultValue, const char* path);

// True when a GetPrivateProfileStringA result of `count` may have been cut to the
// buffer's size (a value is cut to size-1 characters, a key list to size-2).
inline bool MayBeCut(DWORD count, DWORD size) { return count + 2 >= size; }
