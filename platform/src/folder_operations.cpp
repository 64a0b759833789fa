#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform_files.h"
#include "winerror.h"
#include "winfile.h"

namespace {

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL CreateDirectoryA(LPCSTR pathName, LPVOID /*securityAttributes*/) {
  if (!pathName) return fail(ERROR_PATH_NOT_FOUND);
  const std::string path = platform::ResolvePath(pathName);
  if (mkdir(path.c_str(), 0777) == 0) return TRUE;
  // One level only: a missing parent is a missing path, never a missing file.
  return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : platform::Win32ErrorFromErrno(errno));
}

BOOL RemoveDirectoryA(LPCSTR pathName) {
  if (!pathName) return fail(ERROR_PATH_NOT_FOUND);
  const std::string path = platform::ResolvePath(pathName);
  if (rmdir(path.c_str()) == 0) return TRUE;
  const int error = errno;
  struct stat st;
  if (error == ENOTDIR && stat(path.c_str(), &st) == 0) return fail(ERROR_DIRECTORY);
  if (error == EEXIST) return fail(ERROR_DIR_NOT_EMPTY);
  return fail(platform::Win32ErrorForPath(error, path));
}
