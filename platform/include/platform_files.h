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

// Which file a path names (device, inode) and when it last changed (size, modification
// and status-change times in nanoseconds). Two equal stamps: the same, unchanged file.
// ChangeStampOf takes the path as it is, without matching names case-insensitively:
// give it the path as found on disk (ResolvePath).
struct FileChangeStamp {
  unsigned long long device = 0, inode = 0;
  long long size = -1;  // -1: nothing at the path
  long long modified = 0, changed = 0;
  bool SameFile(const FileChangeStamp& other) const { return device == other.device && inode == other.inode; }
  bool operator==(const FileChangeStamp& other) const;
  bool operator!=(const FileChangeStamp& other) const { return !(*this == other); }
};
FileChangeStamp ChangeStampOf(const char* path);

// The FolderLock of one folder, taken again and again through a descriptor kept open
// between uses. Each Lock is given the folder's ChangeStampOf, taken just before
// (outside the caller's own lock, say), and opens the folder again when the path
// names another one now, so it locks what a FolderLock would. A process made by fork
// opens its own descriptor: the inherited one would share the parent's lock.
class KeptFolderLock {
 public:
  KeptFolderLock() = default;
  ~KeptFolderLock() { Close(); }
  KeptFolderLock(const KeptFolderLock&) = delete;
  KeptFolderLock& operator=(const KeptFolderLock&) = delete;

  // Waits for the lock. False (no lock) when the folder cannot be opened.
  bool Lock(const char* folder, const FileChangeStamp& now);
  void Unlock();
  void Close();

 private:
  int m_fd = -1;
  long m_process = 0;      // the process that opened m_fd
  FileChangeStamp m_open;  // the open folder's device and inode
};

// A file appended to through a descriptor kept open between writes, for writers that
// hold the folder's lock (FolderLock, KeptFolderLock) around Refresh and Append:
// Refresh then sees a file another process moved away or deleted, and opens the one
// now at the path.
class KeptAppendFile {
 public:
  KeptAppendFile() = default;
  ~KeptAppendFile() { Close(); }
  KeptAppendFile(const KeptAppendFile&) = delete;
  KeptAppendFile& operator=(const KeptAppendFile&) = delete;

  // Points the descriptor at the file now at `path`: kept while it is still that file,
  // else opened again (created when missing). Its size, or -1 when it cannot be opened.
  long long Refresh(const char* path);
  // The whole buffer with one write (looping on a short write) to the open file.
  bool Append(const char* data, size_t size);
  void Close();

 private:
  int m_fd = -1;
  FileChangeStamp m_open;  // the open file's device and inode
};

}  // namespace platform
