// What a file or folder looks like on disk, to tell whether it changed since a
// moment it was seen.
//
// A change moves the modification time, except a change made within one tick of the
// file system's clock after the time was taken. A stamp is therefore trusted alone
// only once its modification time lies well before the moment it was seen.
#pragma once

#include <sys/stat.h>

#include <ctime>

namespace platform {

// Longer than the timestamp granularity of any file system a settings file may be on.
constexpr time_t kSettleSeconds = 2;

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  struct timespec modified = {0, 0};

  bool operator==(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
  }
};

inline FileStamp StampOf(const struct stat& st) { return {st.st_dev, st.st_ino, st.st_size, st.st_mtim}; }

inline struct timespec Now() {
  struct timespec time;
  clock_gettime(CLOCK_REALTIME, &time);
  return time;
}

// True when every change after `seenAt` has moved the stamp: its modification time lies
// well before that moment.
inline bool Settled(const FileStamp& stamp, const struct timespec& seenAt) {
  return stamp.modified.tv_sec + kSettleSeconds < seenAt.tv_sec;
}

}  // namespace platform
