// Proxy scripts: any text as a PAC script, evaluated the way a proxy lookup does it
// (FindProxyForURL on a fresh engine, 2 s and 32 MiB at most), its answer read for the
// proxy. A script that loops or allocates must end within its limits, well inside the
// fuzzer's own time-out.
#include <netdb.h>

#include <chrono>
#include <string>

#include "fuzz_support.h"
#include "net/pac_answer.h"
#include "net/pac_engine.h"

extern "C" int PlatformPacEvaluate(const PacEvaluation* evaluation,
                                   void (*deliver)(void* context, const char* answer, size_t length), void* context);

// Name lookups stay off the network: numeric addresses only, answered at once.
extern "C" int getaddrinfo_a(int, struct gaicb* list[], int count, struct sigevent*) {
  for (int i = 0; i < count; ++i) {
    addrinfo hints = *list[i]->ar_request;
    hints.ai_flags |= AI_NUMERICHOST;
    list[i]->__return = getaddrinfo(list[i]->ar_name, nullptr, &hints, &list[i]->ar_result);
  }
  return 0;
}

namespace {

constexpr unsigned kTimeLimitMs = 2000;
constexpr size_t kMemoryLimit = 32 * 1024 * 1024;
// The longest an evaluation may take past its limit: the engine checks the clock every few
// thousand instructions, and slowly under the sanitizers.
constexpr auto kLateness = std::chrono::milliseconds(1500);
const char kUrl[] = "https://login.corvex.localhost/services/oauth2/authorize?client_id=fuzz";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string host = platform::net::HostOfUrl(kUrl);
  const PacEvaluation evaluation = {
      reinterpret_cast<const char*>(data), size, kUrl, host.c_str(), kTimeLimitMs, kMemoryLimit};
  std::string answer;
  const auto start = std::chrono::steady_clock::now();
  auto keep = [](void* context, const char* text, size_t length) {
    static_cast<std::string*>(context)->assign(text, length);
  };
  const int result = PlatformPacEvaluate(&evaluation, keep, &answer);
  fuzzing::Require(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(kTimeLimitMs) + kLateness,
                   "the script ends in time");
  if (result == kPacAnswered) platform::net::ProxyOfAnswer(answer);
  return 0;
}
