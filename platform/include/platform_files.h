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

namespace platform {

// An exclusive advisory lock (flock) on a folder's own descriptor, held for the
// object's life. It survives renames inside the folder and creates no file. A folder
// that cannot be opened gives no lock (fd() < 0, errno tells why).
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  int fd() const { return m_fd; }

 private:
  int m_fd = -1;
};

// Appends the whole buffer with one write (looping on a short write) to a file
// opened O_APPEND and closed again, so concurrent appenders never mix bytes.
bool AppendToFile(const std::string& path, const std::string& data);

// Size in bytes, or -1 if the file cannot be examined.
long long FileSize(const std::string& path);

}  // namespace platform
