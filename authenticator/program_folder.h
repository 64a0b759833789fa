// The folder of the program file.
#pragma once

#include "afxstr.h"

// The program file's full path cut after its last separator ("" when there is none):
// `folder` ends with the separator. FALSE when the path has no separator.
BOOL GetProgramFolder(CString& folder);
