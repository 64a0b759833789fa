// The token endpoint's speed, as a libcurl client sees it: refresh grants over one
// kept-alive HTTPS connection, and one full TLS handshake plus a refresh.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <memory>
#include <rapidjson/document.h>

#include "client_flow.h"
#include "test_support.h"

using namespace devidp_test;

namespace {

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

struct RunningProvider {
  RunningProvider() : idp(folder.path()) {
    const std::string code = CodeIn(SignIn(idp, "demo", "demo"));
    rapidjson::Document tokens;
    tokens.Parse(idp.Post(kTokenPath, ExchangeForm(code, kVerifier)).body.c_str());
    if (tokens.IsObject() && tokens.HasMember("refresh_token")) refreshForm = RefreshForm(Encode(tokens["refresh_token"].GetString()));
  }
  testing_support::TempFolder folder;
  DevIdpSession idp;
  std::string refreshForm;
};

RunningProvider& Provider() {
  static RunningProvider provider;
  return provider;
}

// A handle set up for refresh requests; the answer goes into `body`.
CurlHandle RefreshHandle(const RunningProvider& provider, const std::string& url, const std::string& ca,
                         std::string& body) {
  CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CAPATH, nullptr);
  curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, provider.refreshForm.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  return curl;
}

bool Refreshed(CURL* curl, std::string& body) {
  body.clear();
  long status = 0;
  return curl_easy_perform(curl) == CURLE_OK && curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK &&
         status == 200;
}

void BM_RefreshOverKeptAliveConnection(benchmark::State& state) {
  const RunningProvider& provider = Provider();
  const std::string url = provider.idp.Url(kTokenPath), ca = provider.idp.CaFile();
  std::string body;
  CurlHandle curl = RefreshHandle(provider, url, ca, body);
  long connections = 0;
  for (auto _ : state) {
    if (!Refreshed(curl.get(), body)) return state.SkipWithError("refresh refused");
    long opened = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_NUM_CONNECTS, &opened);
    connections += opened;
  }
  state.counters["refreshes"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["connections"] = static_cast<double>(connections);
}
// The work happens in the provider's process: wall-clock time is what counts.
BENCHMARK(BM_RefreshOverKeptAliveConnection)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HandshakeAndRefresh(benchmark::State& state) {
  const RunningProvider& provider = Provider();
  const std::string url = provider.idp.Url(kTokenPath), ca = provider.idp.CaFile();
  std::string body;
  for (auto _ : state) {
    // A new handle keeps no connection and no TLS session: a full handshake every time.
    CurlHandle curl = RefreshHandle(provider, url, ca, body);
    if (!Refreshed(curl.get(), body)) return state.SkipWithError("refresh refused");
  }
}
BENCHMARK(BM_HandshakeAndRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
