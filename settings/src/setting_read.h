// A text setting read through Setwell into a buffer of the key's size: a longer value
// is cut to size-1 characters, as the suite's fixed buffers cut it.
#pragma once

#include "afxstr.h"

// With refresh the value is read from the file as it is now, not from the cache.
CString ReadSettingText(const char* file, const char* section, const char* key, int size, const char* defaultValue,
                        int userLayer, int refresh = 0);
