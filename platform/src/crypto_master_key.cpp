// Creation and loading of the data-protection master key.
//
// File: magic "CVXK", version 1, key id (8 bytes), key (32 bytes), then SHA-256 of
// all that. A new key is written to a 0600 temporary file and link()ed into place:
// link never replaces, so the first of several racing processes wins and the others
// read its key. The loaded key is kept while the file stays the same.
#include "crypto_master_key.h"

#include <fcntl.h>
#include <openssl/crypto.h>
#include <openssl/rand.h>
#include <openssl/sha.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>

#include "dpapi.h"
#include "platform_files.h"
#include "platform_paths.h"

namespace platform {
namespace dpapi {

namespace {

const unsigned char kMagic[4] = {'C', 'V', 'X', 'K'};
const unsigned char kVersion = 1;
const char kKeyFolderName[] = "/keys";
const char kKeyFileName[] = "/master.key";
const size_t kBodySize = sizeof(kMagic) + 1 + kKeyIdSize + kKeySize;
const size_t kFileSize = kBodySize + SHA256_DIGEST_LENGTH;

struct KeyFile {
  unsigned char bytes[kFileSize];
  ~KeyFile() { OPENSSL_cleanse(bytes, sizeof(bytes)); }
};

// Which file the cached key came from.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  struct timespec modified = {0, 0};
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

FileIdentity IdentityOf(const struct stat& st) { return FileIdentity{st.st_dev, st.st_ino, st.st_mtim}; }

struct Cache {
  std::mutex mutex;
  std::string path;
  FileIdentity identity;
  MasterKey key;
};

Cache& KeyCache() {
  static Cache* cache = new Cache;  // never destroyed: used from exit handlers too
  return *cache;
}

DWORD ErrnoStatus() { return static_cast<DWORD>(Win32ErrorFromErrno(errno)); }

bool ReadAll(int fd, unsigned char* buffer, size_t size, size_t& got) {
  got = 0;
  while (got < size) {
    ssize_t n = ::read(fd, buffer + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    got += static_cast<size_t>(n);
  }
  // One more byte means the file is longer than a key file.
  unsigned char extra;
  ssize_t n = ::read(fd, &extra, 1);
  if (n > 0) got += 1;
  return n >= 0;
}

bool WriteAll(int fd, const unsigned char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void Checksum(const unsigned char* body, unsigned char* digest) { SHA256(body, kBodySize, digest); }

// A key file ours alone, of the right size and checksum.
DWORD Decode(const struct stat& st, const KeyFile& file, size_t size, MasterKey& key) {
  unsigned char digest[SHA256_DIGEST_LENGTH];
  Checksum(file.bytes, digest);
  const bool sound = S_ISREG(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0 && size == kFileSize &&
                     std::memcmp(file.bytes, kMagic, sizeof(kMagic)) == 0 && file.bytes[sizeof(kMagic)] == kVersion &&
                     CRYPTO_memcmp(digest, file.bytes + kBodySize, sizeof(digest)) == 0;
  if (!sound) return static_cast<DWORD>(NTE_BAD_KEYSET);
  std::memcpy(key.id, file.bytes + sizeof(kMagic) + 1, kKeyIdSize);
  std::memcpy(key.key, file.bytes + sizeof(kMagic) + 1 + kKeyIdSize, kKeySize);
  return ERROR_SUCCESS;
}

DWORD ReadKeyFile(const std::string& path, MasterKey& key, FileIdentity& identity) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno == ELOOP ? static_cast<DWORD>(NTE_BAD_KEYSET) : ErrnoStatus();
  struct stat st;
  KeyFile file;
  size_t size = 0;
  DWORD status = ERROR_SUCCESS;
  if (fstat(fd, &st) != 0 || !ReadAll(fd, file.bytes, sizeof(file.bytes), size)) status = ErrnoStatus();
  ::close(fd);
  if (status == ERROR_SUCCESS) status = Decode(st, file, size, key);
  identity = IdentityOf(st);
  return status;
}

DWORD FillNewKeyFile(KeyFile& file) {
  unsigned char* at = file.bytes;
  std::memcpy(at, kMagic, sizeof(kMagic));
  at[sizeof(kMagic)] = kVersion;
  if (RAND_bytes(at + sizeof(kMagic) + 1, static_cast<int>(kKeyIdSize + kKeySize)) != 1)
    return static_cast<DWORD>(NTE_FAIL);
  Checksum(file.bytes, file.bytes + kBodySize);
  return ERROR_SUCCESS;
}

// Puts a new key file at `path` unless one is there already (then that one stays).
DWORD CreateKeyFile(const std::string& folder, const std::string& path) {
  KeyFile file;
  DWORD status = FillNewKeyFile(file);
  if (status != ERROR_SUCCESS) return status;
  std::string temporary = folder + "/master.key.XXXXXX";
  int fd = mkostemp(&temporary[0], O_CLOEXEC);  // mode 0600
  if (fd < 0) return ErrnoStatus();
  if (!WriteAll(fd, file.bytes, sizeof(file.bytes)) || fsync(fd) != 0) status = ErrnoStatus();
  ::close(fd);
  if (status == ERROR_SUCCESS && ::link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST)
    status = ErrnoStatus();
  ::unlink(temporary.c_str());
  return status;
}

std::string KeyFolder() {
  const std::string state = UserStateFolder();
  if (state.empty()) return std::string();
  const std::string folder = state + kKeyFolderName;
  return MakeFolders(folder, 0700) ? folder : std::string();
}

bool CachedKey(const std::string& path, MasterKey& key) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  Cache& cache = KeyCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (cache.path != path || !(cache.identity == IdentityOf(st))) return false;
  key = cache.key;
  return true;
}

void Remember(const std::string& path, const FileIdentity& identity, const MasterKey& key) {
  Cache& cache = KeyCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.path = path;
  cache.identity = identity;
  cache.key = key;
}

}  // namespace

MasterKey::~MasterKey() {
  OPENSSL_cleanse(id, sizeof(id));
  OPENSSL_cleanse(key, sizeof(key));
}

DWORD LoadMasterKey(MasterKey& key, bool create) {
  // The key read before stands while its file is unchanged: one look at the file.
  if (CachedKey(UserStateFolderName() + kKeyFolderName + kKeyFileName, key)) return ERROR_SUCCESS;
  const std::string folder = KeyFolder();
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  const std::string path = folder + kKeyFileName;
  FileIdentity identity;
  DWORD status = ReadKeyFile(path, key, identity);
  if (status == ERROR_FILE_NOT_FOUND && !create) status = static_cast<DWORD>(NTE_BAD_KEYSET);
  if (status == ERROR_FILE_NOT_FOUND) {
    status = CreateKeyFile(folder, path);
    if (status == ERROR_SUCCESS) status = ReadKeyFile(path, key, identity);
  }
  if (status == ERROR_SUCCESS) Remember(path, identity, key);
  return status;
}

}  // namespace dpapi
}  // namespace platform
