#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "file_stamp.h"
#include "platform_files.h"
#include "platform_paths.h"
#include "resolved_status.h"
#include "winerror.h"

namespace platform {
namespace {

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// How a path that does not exist as spelled was resolved: the result holds while
// every folder that was searched keeps the stamp it had before the search.
struct Lookup {
  std::string resolved;
  std::vector<std::pair<std::string, FileStamp>> searched;
  struct timespec at = {0, 0};  // taken before the first search
  bool complete = true;         // false when a searched folder could not be stamped
};

struct LookupCache {
  std::mutex mutex;
  std::unordered_map<std::string, Lookup> entries;
};

// Enough for every file name a process spells in another case, or looks for in vain.
constexpr size_t kMaxLookups = 1024;

LookupCache& lookups() {
  static LookupCache* instance = new LookupCache;  // never destroyed: file calls may run from exit handlers
  return *instance;
}

// A folder changed too recently to be sure of is searched again.
bool stillHolds(const Lookup& lookup) {
  for (const auto& [folder, stamp] : lookup.searched) {
    struct stat st;
    if (!Settled(stamp, lookup.at) || stat(folder.c_str(), &st) != 0 || !(StampOf(st) == stamp)) return false;
  }
  return true;
}

bool cachedLookup(const std::string& path, std::string& resolved) {
  Lookup lookup;
  {
    std::lock_guard<std::mutex> lock(lookups().mutex);
    auto found = lookups().entries.find(path);
    if (found == lookups().entries.end()) return false;
    lookup = found->second;
  }
  if (!stillHolds(lookup)) return false;
  resolved = lookup.resolved;
  return true;
}

void remember(const std::string& path, const Lookup& lookup) {
  if (!lookup.complete || lookup.searched.empty()) return;
  std::lock_guard<std::mutex> lock(lookups().mutex);
  if (lookups().entries.size() >= kMaxLookups) lookups().entries.clear();
  lookups().entries[path] = lookup;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case, or `name`.
std::string findEntry(const std::string& folder, const std::string& name, Lookup& lookup) {
  struct stat st;
  if (stat(folder.c_str(), &st) == 0)
    lookup.searched.emplace_back(folder, StampOf(st));
  else
    lookup.complete = false;
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

// Each element as spelled when it exists, else as found ignoring case in its folder.
std::string searchPath(const std::string& path, Lookup& lookup) {
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
      candidate = join(resolved, findEntry(resolved.empty() ? "." : resolved, element, lookup));
      parentExists = exists(candidate);
    }
    resolved = candidate;
  }
  if (path.back() == kPathSeparator && resolved.back() != kPathSeparator) resolved += kPathSeparator;
  return resolved;
}

// The status of the path the last ResolvePath of this thread found as spelled. Plain
// data: it outlives the thread's destructors, as file calls at exit need.
struct ResolvedStatus {
  char path[PATH_MAX];
  struct stat status;
  bool valid;
};

thread_local ResolvedStatus lastResolved;

// True when `path` exists as spelled; its status is kept for TakeResolvedStatus.
bool statusTaken(const std::string& path) {
  lastResolved.valid = path.size() < sizeof(lastResolved.path) && stat(path.c_str(), &lastResolved.status) == 0;
  if (lastResolved.valid) std::memcpy(lastResolved.path, path.c_str(), path.size() + 1);
  return lastResolved.valid;
}

}  // namespace

bool TakeResolvedStatus(const std::string& path, struct stat& status) {
  if (!lastResolved.valid || path != lastResolved.path) return false;
  lastResolved.valid = false;
  status = lastResolved.status;
  return true;
}

// A path that does not exist as spelled costs a folder search once; later lookups
// only stamp the searched folders, so a file made since (by any process) is found.
std::string ResolvePath(const std::string& path) {
  if (path.empty() || statusTaken(path)) return path;
  std::string resolved;
  if (cachedLookup(path, resolved)) return resolved;
  Lookup lookup;
  lookup.at = Now();
  lookup.resolved = searchPath(path, lookup);
  remember(path, lookup);
  return lookup.resolved;
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
