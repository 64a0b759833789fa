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

bool AppendToFile(const std::string& path, const std::string& data) {
  int fd = ::open(ResolvePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t written = 0;
  while (written < data.size()) {
    ssize_t n = ::write(fd, data.data() + written, data.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  ::close(fd);
  return written == data.size();
}

long long FileSize(const std::string& path) {
  struct stat st;
  return stat(ResolvePath(path).c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

}  // namespace platform
