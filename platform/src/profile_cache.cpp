// The cache of parsed profile files.
//
// An entry is valid while the file's device, inode, size and modification time
// (with nanoseconds) are unchanged, and trusted on that stamp alone only once it is
// settled (file_stamp.h); until then each lookup reads the file again and compares
// the bytes (which is cheap next to parsing).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <unordered_map>

#include "file_stamp.h"
#include "platform_files.h"
#include "profile_store.h"
#include "resolved_status.h"
#include "winerror.h"

namespace platform {
namespace {

struct CacheEntry {
  FileStamp stamp;
  struct timespec readAt = {0, 0};  // taken before the content was read
  std::string content;
  std::shared_ptr<const ProfileDocument> document;

  bool settled() const { return Settled(stamp, readAt); }
};

struct Cache {
  std::mutex mutex;
  std::unordered_map<std::string, CacheEntry> entries;
};

Cache& cache() {
  static Cache* instance = new Cache;  // never destroyed: profile calls may run from exit handlers
  return *instance;
}

// The cached document when the entry is valid for `stamp` without reading the file.
std::shared_ptr<const ProfileDocument> settledDocument(const std::string& path, const FileStamp& stamp) {
  std::lock_guard<std::mutex> lock(cache().mutex);
  auto found = cache().entries.find(path);
  if (found == cache().entries.end() || !(found->second.stamp == stamp) || !found->second.settled()) return nullptr;
  return found->second.document;
}

bool readFile(const std::string& path, FileStamp& stamp, std::string& content) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool ok = ReadProfileFile(fd, st, content);
  const int error = errno;
  close(fd);
  errno = error;
  if (ok) stamp = StampOf(st);
  return ok;
}

// Stores what was read at `readAt`, reusing the cached parse when the bytes are the same.
std::shared_ptr<const ProfileDocument> store(const std::string& path, const FileStamp& stamp,
                                             const struct timespec& readAt, std::string content) {
  {
    std::lock_guard<std::mutex> lock(cache().mutex);
    auto found = cache().entries.find(path);
    if (found != cache().entries.end() && found->second.content == content) {
      found->second.stamp = stamp;
      found->second.readAt = readAt;
      return found->second.document;
    }
  }
  auto parsed = std::make_shared<const ProfileDocument>(ProfileDocument::Parse(content));
  std::lock_guard<std::mutex> lock(cache().mutex);
  cache().entries[path] = CacheEntry{stamp, readAt, std::move(content), parsed};
  return parsed;
}

}  // namespace

bool ReadProfileFile(int fd, struct stat& status, std::string& content) {
  if (fstat(fd, &status) != 0) return false;
  if (S_ISDIR(status.st_mode)) {
    errno = EISDIR;
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof(buffer));
    if (got == 0) return true;
    if (got > 0)
      content.append(buffer, static_cast<size_t>(got));
    else if (errno != EINTR)
      return false;
  }
}

std::shared_ptr<const ProfileDocument> LoadProfile(const std::string& path) {
  struct stat st;
  if (TakeResolvedStatus(path, st) || stat(path.c_str(), &st) == 0) {
    if (auto document = settledDocument(path, StampOf(st))) return document;
  }
  const struct timespec readAt = Now();
  FileStamp stamp;
  std::string content;
  if (!readFile(path, stamp, content)) {
    SetLastError(errno == EISDIR ? ERROR_ACCESS_DENIED : Win32ErrorForPath(errno, path));
    ForgetProfile(path);
    return nullptr;
  }
  return store(path, stamp, readAt, std::move(content));
}

void RememberProfile(const std::string& path, const std::string& content) {
  const struct timespec readAt = Now();
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return ForgetProfile(path);
  store(path, StampOf(st), readAt, content);
}

void ForgetProfile(const std::string& path) {
  std::lock_guard<std::mutex> lock(cache().mutex);
  if (path.empty())
    cache().entries.clear();
  else
    cache().entries.erase(path);
}

}  // namespace platform
