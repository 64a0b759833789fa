#include <openssl/evp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "winshared.h"

namespace {

const char kNamePrefix[] = "halvorn-instance:";

// The program file's canonical path, or its digest when it does not fit a socket name.
std::string SocketName() {
  char path[PATH_MAX];
  if (!realpath("/proc/self/exe", path)) return "";
  std::string name = std::string(kNamePrefix) + path;
  if (name.size() < sizeof(sockaddr_un::sun_path) - 1) return name;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(path, std::strlen(path), digest, &length, EVP_sha256(), nullptr);
  name = kNamePrefix;
  static const char hex[] = "0123456789abcdef";
  for (unsigned int i = 0; i < length; ++i) name += {hex[digest[i] >> 4], hex[digest[i] & 15]};
  return name;
}

// The socket bound to the program's name, or -1 when another process holds it.
int HoldName() {
  const std::string name = SocketName();
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || name.empty()) return fd;  // no name: nothing to share, the process holds itself
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // leading NUL: abstract
  const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0) return fd;
  close(fd);
  return -1;
}

// Another process holds the counter when this one could not take the name: it counts once.
LONG SharedValue(const SHARED_SECTION_LONG* value) { return (value->socket < 0 ? 1 : 0) + value->ownIncrements - 1; }

}  // namespace

LONG InterlockedIncrement(SHARED_SECTION_LONG* value) {
  if (value->ownIncrements == 0) value->socket = HoldName();
  ++value->ownIncrements;
  return SharedValue(value);
}

LONG InterlockedDecrement(SHARED_SECTION_LONG* value) {
  if (value->ownIncrements == 0) return -1;
  if (--value->ownIncrements > 0 || value->socket < 0) return SharedValue(value);
  close(value->socket);
  value->socket = -1;
  return -1;
}
