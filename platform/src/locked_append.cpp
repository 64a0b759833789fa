#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform_files.h"

namespace platform {

FolderLock::FolderLock(const std::string& folder) {
  m_fd = ::open(ResolvePath(folder.empty() ? "." : folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (m_fd < 0) return;
  while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

FolderLock::~FolderLock() {
  if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor releases the lock
}

namespace {

int openForAppend(const char* path) {
  return ::open(ResolvePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

bool writeWhole(int fd, const char* data, size_t size) {
  size_t written = 0;
  while (written < size) {
    ssize_t n = ::write(fd, data + written, size - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  return written == size;
}

long long nanoseconds(const timespec& time) { return time.tv_sec * 1000000000LL + time.tv_nsec; }

FileChangeStamp changeStampFrom(const struct stat& st) {
  FileChangeStamp stamp;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified = nanoseconds(st.st_mtim);
  stamp.changed = nanoseconds(st.st_ctim);
  return stamp;
}

}  // namespace

bool FileChangeStamp::operator==(const FileChangeStamp& other) const {
  return SameFile(other) && size == other.size && modified == other.modified && changed == other.changed;
}

FileChangeStamp ChangeStampOf(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 ? changeStampFrom(st) : FileChangeStamp();
}

bool KeptFolderLock::Lock(const char* folder, const FileChangeStamp& now) {
  const long process = getpid();
  if (m_fd >= 0 && (m_process != process || !now.SameFile(m_open))) Close();
  struct stat st;
  if (m_fd < 0) {
    m_fd = ::open(ResolvePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) return false;
    if (fstat(m_fd, &st) == 0) m_open = changeStampFrom(st);
    m_process = process;
  }
  while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  return true;
}

void KeptFolderLock::Unlock() {
  if (m_fd >= 0) flock(m_fd, LOCK_UN);
}

void KeptFolderLock::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

long long KeptAppendFile::Refresh(const char* path) {
  const FileChangeStamp now = ChangeStampOf(path);
  if (m_fd >= 0 && now.SameFile(m_open)) return now.size;
  Close();
  m_fd = openForAppend(path);
  struct stat st;
  if (m_fd < 0 || fstat(m_fd, &st) != 0) {
    Close();
    return -1;
  }
  m_open = changeStampFrom(st);
  return m_open.size;
}

bool KeptAppendFile::Append(const char* data, size_t size) { return m_fd >= 0 && writeWhole(m_fd, data, size); }

void KeptAppendFile::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

}  // namespace platform
