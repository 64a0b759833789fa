// The library's build date as "year-month-day" (month padded, day not: "2022-09-6").
#pragma once

#include "afxstr.h"

// From a compiler date ("Sep  6 2022"); empty when the text is not one.
CString BuildStampFromDate(const char* compilerDate);
// The stamp of this library's own build.
CString LibraryBuildStamp();
