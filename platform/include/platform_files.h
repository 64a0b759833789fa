// Linux file machinery shared by the platform's Windows-shaped file calls.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Windows file names are case-insensitive and the suite relies on it. Returns the
// path as it exists on disk: each element that does not exist under its exact
// name is matched case-insensitively (ASCII) in its folder. Elements that match
// nothing are kept as given, so the result also serves for creating a file.
std::string ResolvePath(const std::string& path);

// fopen on the resolved path.
FILE* OpenFile(const std::string& path, const char* mode);

// Maps an errno value to the Win32 status a file call would give.
unsigned long Win32ErrorFromErrno(int error);

}  // namespace platform
