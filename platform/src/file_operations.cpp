#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform_files.h"
#include "winerror.h"
#include "winfile.h"

namespace {

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

bool isFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool copyContent(int from, int to) {
  char buffer[65536];
  for (;;) {
    ssize_t got = read(from, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!writeAll(to, buffer, static_cast<size_t>(got))) return false;
  }
}

// Copies content, mode and modification time of `from` into `to`.
BOOL copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return fail(platform::Win32ErrorForPath(errno, from));
  struct stat source, target;
  if (fstat(in, &source) != 0 || S_ISDIR(source.st_mode)) {
    close(in);
    return fail(ERROR_ACCESS_DENIED);
  }
  if (stat(to.c_str(), &target) == 0 && source.st_dev == target.st_dev && source.st_ino == target.st_ino) {
    close(in);  // truncating the target would destroy the source
    return fail(ERROR_SHARING_VIOLATION);
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  int out = open(to.c_str(), flags, source.st_mode & 07777);
  if (out < 0) {
    int error = errno;
    close(in);
    return fail(error == EEXIST ? ERROR_FILE_EXISTS : platform::Win32ErrorForPath(error, to));
  }
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  bool copied = copyContent(in, out) && fchmod(out, source.st_mode & 07777) == 0 && futimens(out, times) == 0;
  int error = errno;
  copied = close(out) == 0 && copied;
  close(in);
  if (copied) return TRUE;
  unlink(to.c_str());
  return fail(platform::Win32ErrorFromErrno(error));
}

// rename(2) that refuses an existing target, also where the file system lacks
// RENAME_NOREPLACE (there the check and the rename are two steps).
int renameWithoutReplacing(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL) return -1;
  struct stat st;
  if (lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return -1;
  }
  return rename(from.c_str(), to.c_str());
}

// The Win32 code of a failed move: a missing source is reported for the source,
// anything else for the target.
DWORD moveError(int error, const std::string& from, const std::string& to) {
  struct stat st;
  if (lstat(from.c_str(), &st) != 0) return platform::Win32ErrorForPath(errno, from);
  if (error == ENOTEMPTY) return ERROR_ALREADY_EXISTS;
  return platform::Win32ErrorForPath(error, to);
}

}  // namespace

BOOL DeleteFileA(LPCSTR fileName) {
  if (!fileName) return fail(ERROR_INVALID_PARAMETER);
  const std::string path = platform::ResolvePath(fileName);
  if (unlink(path.c_str()) == 0) return TRUE;
  return fail(platform::Win32ErrorForPath(errno, path));
}

BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName) {
  return MoveFileExA(existingFileName, newFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  if (!existingFileName || !newFileName) return fail(ERROR_INVALID_PARAMETER);
  const std::string from = platform::ResolvePath(existingFileName);
  const std::string to = platform::ResolvePath(newFileName);
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  if (replace && isFolder(to)) return fail(ERROR_ACCESS_DENIED);  // Windows never replaces a folder
  int result = replace ? rename(from.c_str(), to.c_str()) : renameWithoutReplacing(from, to);
  if (result == 0) return TRUE;
  if (errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED)) {
    if (!copyFile(from, to, !replace)) return FALSE;
    if (unlink(from.c_str()) == 0) return TRUE;
    return fail(platform::Win32ErrorFromErrno(errno));
  }
  return fail(moveError(errno, from, to));
}

BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
  if (!existingFileName || !newFileName) return fail(ERROR_INVALID_PARAMETER);
  return copyFile(platform::ResolvePath(existingFileName), platform::ResolvePath(newFileName), failIfExists);
}
