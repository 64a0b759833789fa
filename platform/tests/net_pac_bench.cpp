// One PAC decision (fetch and evaluation) against a bare libcurl fetch of the same script.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "pac_server.h"
#include "winhttp.h"

namespace {

const char kScript[] =
    "function FindProxyForURL(url, host) {"
    "  if (isPlainHostName(host) || dnsDomainIs(host, '.corp.test')) return 'DIRECT';"
    "  if (shExpMatch(url, 'https://*.partner.test/*')) return 'PROXY partner-proxy.test:8080';"
    "  return 'PROXY proxy.test:3128; DIRECT';"
    "}";

PacServer& server() {
  static PacServer* instance = new PacServer(std::map<std::string, std::string>{{"proxy", kScript}});
  return *instance;
}

void PacDecision(benchmark::State& state) {
  const std::string url = server().Url("proxy");
  const std::u16string scriptUrl(url.begin(), url.end());
  HINTERNET session = WinHttpOpen(u"applications", WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr, 0);
  WINHTTP_AUTOPROXY_OPTIONS options = {WINHTTP_AUTOPROXY_CONFIG_URL, 0, scriptUrl.c_str(), nullptr, 0, TRUE};
  for (auto _ : state) {
    WINHTTP_PROXY_INFO info = {};
    if (!WinHttpGetProxyForUrl(session, u"https://www.example.test/index.html", &options, &info))
      state.SkipWithError("no decision");
    GlobalFree(info.lpszProxy);
  }
  WinHttpCloseHandle(session);
}
BENCHMARK(PacDecision)->Unit(benchmark::kMicrosecond);

size_t keep(char* data, size_t size, size_t count, void* into) {
  static_cast<std::string*>(into)->append(data, size * count);
  return size * count;
}

void BareFetchOfTheScript(benchmark::State& state) {
  const std::string url = server().Url("proxy");
  for (auto _ : state) {
    std::string script;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keep);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &script);
    if (curl_easy_perform(curl) != CURLE_OK) state.SkipWithError("no script");
    curl_easy_cleanup(curl);
  }
}
BENCHMARK(BareFetchOfTheScript)->Unit(benchmark::kMicrosecond);

}  // namespace
