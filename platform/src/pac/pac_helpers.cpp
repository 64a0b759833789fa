#include "pac_helpers.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

#include <chrono>
#include <string>

#include "pac_heap_limits.h"
#include "pac_helpers_script.h"

// The engine leaves a failing call by a long jump: the native functions here keep no
// objects with destructors alive while they call into it.
//
// Name lookups run asynchronously so that the script's deadline bounds them as well.

namespace platform::pac {
namespace {

HeapLimits& limitsOf(duk_context* ctx) {
  duk_memory_functions functions;
  duk_get_memory_functions(ctx, &functions);
  return *static_cast<HeapLimits*>(functions.udata);
}

void stopWhenOutOfTime(duk_context* ctx) {
  if (limitsOf(ctx).TimedOut()) duk_range_error(ctx, "PAC script ran out of time");
}

// One asynchronous lookup; it must outlive a lookup that could not be cancelled.
struct Lookup {
  std::string name;
  addrinfo hints = {};
  gaicb request = {};
};

// Waits for the lookup until the deadline; false when it is still running then.
bool awaitLookup(Lookup& lookup, std::chrono::steady_clock::time_point deadline) {
  const gaicb* list[] = {&lookup.request};
  while (gai_error(&lookup.request) == EAI_INPROGRESS) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return false;
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec wait = {static_cast<time_t>(nanoseconds / 1000000000), static_cast<long>(nanoseconds % 1000000000)};
    gai_suspend(list, 1, &wait);
  }
  return true;
}

// The first IPv4 address of `host` in dotted form into `text`, looked up by the deadline at
// the latest; false when there is none in time.
bool resolveIpv4(const char* host, std::chrono::steady_clock::time_point deadline, char (&text)[INET_ADDRSTRLEN]) {
  auto* lookup = new Lookup;
  lookup->name = host;
  lookup->hints.ai_family = AF_INET;
  lookup->request.ar_name = lookup->name.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* list[] = {&lookup->request};
  if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) {
    delete lookup;
    return false;
  }
  // A lookup past the deadline that cannot be cancelled still writes into its request
  // when it ends: the request is left to it.
  if (!awaitLookup(*lookup, deadline) && gai_cancel(&lookup->request) == EAI_NOTCANCELED) return false;
  bool converted = false;
  if (gai_error(&lookup->request) == 0) {
    const auto* address = reinterpret_cast<const sockaddr_in*>(lookup->request.ar_result->ai_addr);
    converted = inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr;
  }
  if (lookup->request.ar_result) freeaddrinfo(lookup->request.ar_result);
  delete lookup;
  return converted;
}

duk_ret_t dnsResolve(duk_context* ctx) {
  stopWhenOutOfTime(ctx);
  char text[INET_ADDRSTRLEN];
  if (resolveIpv4(duk_to_string(ctx, 0), limitsOf(ctx).deadline, text))
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

// Shell-style matching of "*" and "?". A pattern with stars takes up to length(text) x
// length(pattern) steps, so the steps are charged to the script's time; false when it runs
// out, which the caller reports.
bool shellPatternMatches(const char* text, const char* pattern, HeapLimits& limits) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*text) {
    if (limits.Charge(1)) return false;
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
  const bool matches = shellPatternMatches(text, pattern, limitsOf(ctx));
  stopWhenOutOfTime(ctx);
  duk_push_boolean(ctx, matches);
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
