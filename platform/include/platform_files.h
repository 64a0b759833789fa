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

// Like Win32ErrorFromErrno, but a missing entry gives ERROR_FILE_NOT_FOUND only when
// its folder exists, else ERROR_PATH_NOT_FOUND, as Windows tells them apart.
unsigned long Win32ErrorForPath(int error, const std::string& path);

// The folder part of a path, without a trailing separator: "." for a bare name,
// "/" for an entry of the root.
std::string ParentFolder(const std::string& path);

}  // namespace platform
