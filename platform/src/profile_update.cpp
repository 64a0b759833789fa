// Locked, atomic updates of profile files.
//
// The lock is an flock on the file's folder, held from reading the old content to
// renaming the new file into place. Unlike a lock on the file itself it survives
// the rename, and it adds no lock file beside the settings. It serialises every
// profile writer of that folder, in this process (each update opens its own
// descriptor) and in others; readers take no lock, they see the old or the new file.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

#include "platform_files.h"
#include "platform_paths.h"
#include "profile_store.h"
#include "winerror.h"

namespace platform {
namespace {

bool fail(DWORD error) {
  SetLastError(error);
  return false;
}

struct ExistingFile {
  bool exists = false;
  std::string content;
  struct stat status = {};
};

bool readExisting(int folder, const std::string& name, ExistingFile& file) {
  int fd = openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  file.exists = ReadProfileFile(fd, file.status, file.content);
  const int error = errno;
  close(fd);
  errno = error;
  return file.exists;
}

bool writeAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t written = write(fd, content.data() + done, content.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// A new hidden file beside the target; the mode of a new file follows the umask.
int createTemporary(int folder, const std::string& name, std::string& temporaryName) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryName = "." + name + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    int fd = openat(folder, temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes `content` to a temporary file, flushes it to disk and renames it over `name`.
bool replaceFile(int folder, const std::string& name, const std::string& content, const ExistingFile& old) {
  std::string temporaryName;
  int fd = createTemporary(folder, name, temporaryName);
  if (fd < 0) return fail(Win32ErrorFromErrno(errno));
  bool ok = writeAll(fd, content);
  if (ok && old.exists) {
    ok = fchmod(fd, old.status.st_mode & 07777) == 0;
    // Root rewriting a user's file leaves it the user's; for anyone else this fails harmlessly.
    [[maybe_unused]] const int ownerKept = fchown(fd, old.status.st_uid, old.status.st_gid);
  }
  ok = ok && fsync(fd) == 0;
  int error = errno;
  ok = close(fd) == 0 && ok;
  if (ok && renameat(folder, temporaryName.c_str(), folder, name.c_str()) == 0) {
    fsync(folder);  // makes the rename itself durable
    return true;
  }
  error = ok ? errno : error;
  unlinkat(folder, temporaryName.c_str(), 0);
  return fail(Win32ErrorFromErrno(error));
}

// A profile reached through a symbolic link is replaced where the link points.
std::string fileToReplace(const std::string& path) {
  char target[PATH_MAX];
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && realpath(path.c_str(), target)) return target;
  return path;
}

std::string fileName(const std::string& path) {
  const size_t cut = path.find_last_of(kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

bool UpdateProfile(const std::string& path, const std::function<void(ProfileDocument&)>& edit) {
  const std::string target = fileToReplace(path);
  const std::string name = fileName(target);
  if (name.empty()) return fail(ERROR_ACCESS_DENIED);
  FolderLock lock(ParentFolder(target));
  if (lock.fd() < 0) return fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
  ExistingFile old;
  if (!readExisting(lock.fd(), name, old)) return fail(errno == EISDIR ? ERROR_ACCESS_DENIED : Win32ErrorFromErrno(errno));
  ProfileDocument document = ProfileDocument::Parse(old.content);
  edit(document);
  const std::string content = document.Serialize();
  if (old.exists && content == old.content) return true;
  if (!old.exists && content.empty()) return true;  // deleting from a missing file creates nothing
  if (!replaceFile(lock.fd(), name, content, old)) return false;
  RememberProfile(path, content);
  return true;
}

}  // namespace platform
