#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform_files.h"
#include "platform_paths.h"
#include "winerror.h"

namespace platform {
namespace {

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case, or `name`.
std::string findEntry(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return name;
  std::string found = name;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == kPathSeparator ? folder + name : folder + kPathSeparator + name;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
  if (path.empty() || exists(path)) return path;
  const bool absolute = path[0] == kPathSeparator;
  std::string resolved = absolute ? "/" : "";
  bool parentExists = true;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find(kPathSeparator, start);
    if (end == std::string::npos) end = path.size();
    std::string element = path.substr(start, end - start);
    start = end + 1;
    if (element.empty()) continue;
    std::string candidate = join(resolved, element);
    if (parentExists && element != "." && element != ".." && !exists(candidate)) {
      candidate = join(resolved, findEntry(resolved.empty() ? "." : resolved, element));
      parentExists = exists(candidate);
    }
    resolved = candidate;
  }
  if (path.back() == kPathSeparator && resolved.back() != kPathSeparator) resolved += kPathSeparator;
  return resolved;
}

FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(ResolvePath(path).c_str(), mode); }

unsigned long Win32ErrorFromErrno(int error) {
  switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    default: return ERROR_INVALID_FUNCTION;
  }
}

unsigned long Win32ErrorForPath(int error, const std::string& path) {
  if (error != ENOENT) return Win32ErrorFromErrno(error);
  struct stat st;
  bool folderExists = stat(ParentFolder(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

std::string ParentFolder(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == kPathSeparator) trimmed.pop_back();
  size_t cut = trimmed.find_last_of(kPathSeparator);
  if (cut == std::string::npos) return ".";
  if (cut == 0) return std::string(1, kPathSeparator);
  return trimmed.substr(0, cut);
}

}  // namespace platform
