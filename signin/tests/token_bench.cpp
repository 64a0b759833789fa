// The refresh against the development identity provider, answer stored in the hive,
// beside a bare libcurl POST of the same form with the same headers and CA file (fresh
// handle each, answer dropped). The two alternate in one loop, so both meet the same
// machine load; the medians and their ratio are the figures.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "CCorvexOAuth2Globals.h"
#include "CorvexSettings.h"
#include "client_flow.h"
#include "percent_encoding.h"
#include "test_support.h"
#include "token_request.h"

namespace {

using namespace devidp_test;
using Clock = std::chrono::steady_clock;

struct SignedIn {
  SignedIn() {
    testing_support::RedirectUserAndMachineFolders(tmp / "user");
    // The log falls back to a folder of the working directory without a settings file.
    if (chdir(tmp.path().c_str()) != 0 || !idp.Running()) std::abort();
    std::filesystem::create_directories(tmp / "certs");
    std::filesystem::copy_file(idp.CaFile(), tmp / "certs/cacert.pem");
    testing_support::WriteWholeFile(tmp / "CorvexV0.inf",
                                    "[Config]\nCurlTimeout=10\n[DIRECTORIES]\nCERT=" + (tmp / "certs") + "\n");
    CCorvexSettings::SetFile((tmp / "CorvexV0.inf").c_str());
    if (ExchangeCodeAt(url, CodeIn(SignIn(idp, "demo", "demo")).c_str(), kVerifier) != 200) std::abort();
    CString refreshToken;
    CCorvexOAuth2Globals::DecryptData("refresh_token", refreshToken);
    form = "grant_type=refresh_token&client_id=" + kClientId + "&refresh_token=" + FormEncode(refreshToken.str());
  }

  testing_support::TempFolder tmp;
  DevIdpSession idp{tmp / "idp"};
  const std::string url = idp.Url(kTokenPath);
  std::string form;
};

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void BarePost(const SignedIn& session) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  curl_slist* headers = nullptr;
  for (const char* header : {"cache-control: no-cache", "Content-Type: application/x-www-form-urlencoded",
                             "Accept: application/json"})
    headers = curl_slist_append(headers, header);
  const std::string ca = session.tmp / "certs/cacert.pem";
  curl_easy_setopt(curl.get(), CURLOPT_URL, session.url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "POST");
  curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, session.form.c_str());
  curl_easy_setopt(
      curl.get(), CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void*) { return size * count; });
  long status = 0;
  if (curl_easy_perform(curl.get()) != CURLE_OK ||
      curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status != 200)
    std::abort();
  curl_slist_free_all(headers);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

void BM_RefreshBesideBareCurl(benchmark::State& state) {
  static SignedIn session;
  std::vector<double> refresh, bare;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    if (RefreshTokensAt(session.url) != 200) std::abort();
    refresh.push_back(Seconds(start));
    start = Clock::now();
    BarePost(session);
    bare.push_back(Seconds(start));
  }
  state.counters["refresh_median_ms"] = Median(refresh) * 1000;
  state.counters["bare_median_ms"] = Median(bare) * 1000;
  state.counters["ratio"] = Median(refresh) / Median(bare);
}

BENCHMARK(BM_RefreshBesideBareCurl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

}  // namespace
