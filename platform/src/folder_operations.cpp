#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform_files.h"
#include "platform_paths.h"
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

int SHCreateDirectoryExA(HWND, LPCSTR path, LPVOID) {
  if (!path || !*path) return ERROR_BAD_PATHNAME;
  if (CreateDirectoryA(path, nullptr)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  const std::string folder = path;
  const size_t cut = folder.find_last_of(platform::kPathSeparator);
  if (error != ERROR_PATH_NOT_FOUND || cut == std::string::npos || cut == 0) return static_cast<int>(error);
  const int parent = SHCreateDirectoryExA(nullptr, folder.substr(0, cut).c_str(), nullptr);
  if (parent != ERROR_SUCCESS && parent != ERROR_ALREADY_EXISTS) return parent;
  return CreateDirectoryA(path, nullptr) ? ERROR_SUCCESS : static_cast<int>(GetLastError());
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
