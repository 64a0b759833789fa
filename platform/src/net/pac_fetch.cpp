#include "pac_fetch.h"

#include <curl/curl.h>

#include "winhttp.h"

namespace platform::net {
namespace {

constexpr long kFetchTimeoutMs = 5000;
constexpr size_t kLargestScript = 1024 * 1024;

size_t appendWithinLimit(char* data, size_t size, size_t count, void* userdata) {
  auto* script = static_cast<std::string*>(userdata);
  const size_t bytes = size * count;
  if (bytes > kLargestScript - script->size()) return 0;  // ends the transfer with an error
  script->append(data, bytes);
  return bytes;
}

void setOptions(CURL* curl, const std::string& url, std::string& script) {
  const char* protocols = url.compare(0, 8, "https://") == 0 ? "https" : "http,https";
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, protocols);  // from https, https only
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_PROXY, "");  // never through the proxy the environment names
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kFetchTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kLargestScript));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendWithinLimit);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &script);
}

}  // namespace

DWORD FetchPacScript(const std::string& url, std::string& script) {
  script.clear();
  CURL* curl = curl_easy_init();
  if (!curl) return ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT;
  setOptions(curl, url, script);
  const CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  return result == CURLE_OK && status == 200 ? ERROR_SUCCESS : ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT;
}

}  // namespace platform::net
