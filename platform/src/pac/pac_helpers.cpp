#include "pac_helpers.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

#include "pac_heap_limits.h"
#include "pac_helpers_script.h"

// The engine leaves a failing call by a long jump: the native functions here keep no
// objects with destructors alive while they call into it.

namespace platform::pac {
namespace {

// A name lookup is not cut short by the time-out hook; none starts after the deadline.
void stopWhenOutOfTime(duk_context* ctx) {
  duk_memory_functions functions;
  duk_get_memory_functions(ctx, &functions);
  if (static_cast<HeapLimits*>(functions.udata)->TimedOut()) duk_range_error(ctx, "PAC script ran out of time");
}

// The first IPv4 address of `host` in dotted form into `text`; false when there is none.
bool resolveIpv4(const char* host, char (&text)[INET_ADDRSTRLEN]) {
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0) return false;
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const bool converted = inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr;
  freeaddrinfo(found);
  return converted;
}

duk_ret_t dnsResolve(duk_context* ctx) {
  stopWhenOutOfTime(ctx);
  char text[INET_ADDRSTRLEN];
  if (resolveIpv4(duk_to_string(ctx, 0), text))
    duk_push_string(ctx, text);
  else
    duk_push_null(ctx);
  return 1;
}

// The first IPv4 address of an interface that is up, other than loopback.
bool firstInterfaceIpv4(char (&text)[INET_ADDRSTRLEN]) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool found = false;
  for (const ifaddrs* entry = list; entry && !found; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    if (!(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK)) continue;
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    found = inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr;
  }
  freeifaddrs(list);
  return found;
}

duk_ret_t myIpAddress(duk_context* ctx) {
  char text[INET_ADDRSTRLEN];
  duk_push_string(ctx, firstInterfaceIpv4(text) ? text : "127.0.0.1");
  return 1;
}

// Shell-style matching of "*" and "?", in time linear in the text for each star.
bool shellPatternMatches(const char* text, const char* pattern) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*text) {
    if (*pattern == '*') {
      star = pattern++;
      resume = text;
    } else if (*pattern == '?' || *pattern == *text) {
      ++pattern;
      ++text;
    } else if (star) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

duk_ret_t shExpMatch(duk_context* ctx) {
  const char* text = duk_to_string(ctx, 0);
  const char* pattern = duk_to_string(ctx, 1);
  duk_push_boolean(ctx, shellPatternMatches(text, pattern));
  return 1;
}

void defineNative(duk_context* ctx, const char* name, duk_c_function function, duk_idx_t arguments) {
  duk_push_c_function(ctx, function, arguments);
  duk_put_global_string(ctx, name);
}

}  // namespace

void DefinePacHelpers(duk_context* ctx) {
  defineNative(ctx, "dnsResolve", dnsResolve, 1);
  defineNative(ctx, "myIpAddress", myIpAddress, 0);
  defineNative(ctx, "shExpMatch", shExpMatch, 2);
  duk_eval_string_noresult(ctx, kPacHelpersScript);
}

}  // namespace platform::pac
