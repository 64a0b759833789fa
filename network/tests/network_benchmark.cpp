// A 200-byte form POST to a loopback HTTPS server, fresh handle each: through
// DoNetworkRequest and as a bare libcurl transfer with the same body and options;
// then both again through tinyproxy with credentials.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "CCorvexNetworkUtils.h"
#include "CorvexSettings.h"
#include "loopback_server.h"
#include "platform_ui.h"
#include "test_certificates.h"
#include "test_support.h"
#include "tiny_proxy.h"
#include "wincred.h"
#include "winreg.h"

namespace {

const std::string kBody =
    "grant_type=authorization_code&client_id=bench&redirect_uri=https%3A%2F%2F127.0.0.1%2Fcb&code=" +
    std::string(200 - 90, 'c');

// Everything the benchmarks share, made once: folders, settings, certificates, server.
struct Loopback {
  Loopback() {
    testing_support::RedirectUserAndMachineFolders(tmp.path());
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
      unsetenv(name);
    // The log falls back to a folder of the working directory without a settings file.
    if (chdir(tmp.path().c_str()) != 0) std::abort();
    testing_support::WriteWholeFile(tmp / "CorvexV0.inf", "[Config]\nCurlTimeout=10\n");
    CCorvexSettings::SetFile((tmp / "CorvexV0.inf").c_str());
    server.Post("/token", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(R"({"access_token":"a","expires_in":3600})", "application/json");
    });
    server.set_tcp_nodelay(true);
    loopback = std::make_unique<LoopbackServer>(server, "https");
    url = loopback->Url("/token");
  }
  testing_support::TempFolder tmp;
  TestCertificates certs = MakeTestCertificates(tmp.path(), "bench");
  httplib::SSLServer server{certs.serverCert.c_str(), certs.serverKey.c_str()};
  std::unique_ptr<LoopbackServer> loopback;
  std::string url;
};

Loopback& Shared() {
  static Loopback* loopback = new Loopback();
  return *loopback;
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

CURL* NewPost() {
  CURL* curl = curl_easy_init();
  curl_easy_setopt(curl, CURLOPT_CAINFO, Shared().certs.caFile.c_str());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, kBody.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
  return curl;
}

void RunDoNetworkRequest(benchmark::State& state) {
  for (auto _ : state) {
    CURL* curl = NewPost();
    long httpCode = 0;
    CURLcode curlCode = CURLE_OK;
    const int result = CCorvexNetworkUtils::DoNetworkRequest(curl, Shared().url.c_str(), 1, httpCode, curlCode, 1);
    curl_easy_cleanup(curl);
    if (result != 0 || httpCode != 200) state.SkipWithError("request failed");
  }
}

void RunBareCurl(benchmark::State& state, const std::string& proxy, const std::string& credentials) {
  for (auto _ : state) {
    CURL* curl = NewPost();
    curl_easy_setopt(curl, CURLOPT_URL, Shared().url.c_str());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
    if (!proxy.empty()) curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
    if (!credentials.empty()) curl_easy_setopt(curl, CURLOPT_PROXYUSERPWD, credentials.c_str());
    const CURLcode code = curl_easy_perform(curl);
    long httpCode = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpCode);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK || httpCode != 200) state.SkipWithError("request failed");
  }
}

void SetProxySetting(const std::string& proxy) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const DWORD enable = proxy.empty() ? 0 : 1;
  RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof(enable));
  RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(proxy.c_str()),
                 static_cast<DWORD>(proxy.size() + 1));
  RegCloseKey(key);
}

void BM_DoNetworkRequest(benchmark::State& state) {
  SetProxySetting("");
  RunDoNetworkRequest(state);
}

void BM_BareCurl(benchmark::State& state) { RunBareCurl(state, "", ""); }

// tinyproxy with Basic authentication; the credential store holds its credentials.
struct Proxy {
  Proxy() {
    platform::ui::UseScriptedBackend();
    platform::ui::QueueAnswer(platform::ui::Answer{0, {{"user", "benchuser"}, {"password", "benchpass"}}});
    char user[100] = {}, password[100] = {};
    CredUIPromptForCredentialsA(nullptr, "Tamberlo", nullptr, 0, user, 100, password, 100, nullptr,
                                CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_PERSIST);
  }
  TinyProxy tinyproxy{Shared().tmp.path(), "benchuser", "benchpass"};
};

Proxy& SharedProxy() {
  static Proxy* proxy = new Proxy();
  return *proxy;
}

// Each request meets the proxy's 407, takes the stored credentials and goes again.
void BM_DoNetworkRequestThroughProxy(benchmark::State& state) {
  SetProxySetting(SharedProxy().tinyproxy.Address());
  RunDoNetworkRequest(state);
  SetProxySetting("");
}

void BM_BareCurlThroughProxy(benchmark::State& state) {
  RunBareCurl(state, SharedProxy().tinyproxy.Address(), "benchuser:benchpass");
}

BENCHMARK(BM_DoNetworkRequest)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_BareCurl)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_DoNetworkRequestThroughProxy)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_BareCurlThroughProxy)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);

}  // namespace
