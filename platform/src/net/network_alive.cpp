#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cerrno>

#include "sensapi.h"

namespace {

// An IPv4 address, or an IPv6 address that reaches beyond the link (not link-local,
// loopback or unspecified).
bool usableAddress(const sockaddr* address) {
  if (!address) return false;
  if (address->sa_family == AF_INET) return true;
  if (address->sa_family != AF_INET6) return false;
  const in6_addr& ip = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
  return !IN6_IS_ADDR_LINKLOCAL(&ip) && !IN6_IS_ADDR_LOOPBACK(&ip) && !IN6_IS_ADDR_UNSPECIFIED(&ip);
}

bool connectedInterface(const ifaddrs* entry) {
  const unsigned wanted = IFF_UP | IFF_RUNNING;
  return (entry->ifa_flags & wanted) == wanted && !(entry->ifa_flags & IFF_LOOPBACK) && usableAddress(entry->ifa_addr);
}

}  // namespace

BOOL IsNetworkAlive(LPDWORD lpdwFlags) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    SetLastError(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  bool alive = false;
  for (const ifaddrs* entry = list; entry && !alive; entry = entry->ifa_next) alive = connectedInterface(entry);
  freeifaddrs(list);
  SetLastError(ERROR_SUCCESS);
  if (alive && lpdwFlags) *lpdwFlags = NETWORK_ALIVE_LAN;
  return alive ? TRUE : FALSE;
}
