// What the information feed may bring into the settings file.
#pragma once

#include "afxstr.h"

// A line without control characters (tabs aside) and in valid UTF-8: nothing of it can
// end a line of the settings file or garble its text.
bool IsCleanInfosLine(const CString& line);

// An entry identifier that stays one key of "INFOSDATA", found again as written: not
// empty, no blanks or tabs around it, not starting like a comment or a section, no "="
// and no quotes.
bool IsStorableInfosId(const CString& id);
