// DoNetworkRequest: the suite's policy around one libcurl transfer.
#include "CCorvexNetworkUtils.h"
#include "CorvexSettings.h"
#include "proxy_entry.h"
#include "request_trace.h"

namespace {

// Generic credentials, kept without a save check box, telling that the last logon
// failed; ALWAYS_SHOW_UI is added after the first retry.
const unsigned long kFirstPromptFlags = 0x41001;
const unsigned long kAlwaysShowPrompt = 0x80;

bool IsAuthenticationAnswer(long code) { return code == 401 || code == 407; }

// A transfer that started on https may be redirected to https only: a redirect to
// http would send the body in clear.
void SetRedirectRules(CURL* curl, const CString& url, CURLcode& curlCode) {
  const bool secure = url.Left(8).CompareNoCase("https://") == 0;
  curlCode = curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curlCode = curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
}

// Sets the proxy that serves the address, if any. CURLE_OK or the option's failure.
CURLcode SetProxy(CURL* curl, const CString& configured, const CString& url, bool& proxyInUse, CURLcode& curlCode) {
  const CString proxy = ProxyForAddress(configured, url);
  if (proxy.IsEmpty()) return CURLE_OK;
  curlCode = curl_easy_setopt(curl, CURLOPT_PROXY, proxy.GetString());
  proxyInUse = curlCode == CURLE_OK;
  return curlCode;
}

// One transfer; the answer's status and the status that tells of a proxy log-in.
void Perform(CURL* curl, bool proxyInUse, long& httpCode, long& proxyCode, CURLcode& curlCode) {
  curlCode = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpCode);
  curl_easy_getinfo(curl, proxyInUse ? CURLINFO_HTTP_CONNECTCODE : CURLINFO_RESPONSE_CODE, &proxyCode);
}

}  // namespace

int CCorvexNetworkUtils::DoNetworkRequest(void* handle, CString url, int allowProxyLogin, long& httpCode,
                                          CURLcode& curlCode, int useProxy) {
  httpCode = 0;
  unsigned long promptFlags = kFirstPromptFlags;
  if (!handle) return -1;
  CURL* curl = static_cast<CURL*>(handle);
  curlCode = curl_easy_setopt(curl, CURLOPT_URL, url.GetString());
  if (curlCode != CURLE_OK) return curlCode;
  bool proxyInUse = false;
  if (useProxy && SetProxy(curl, CCorvexNetworkUtils()._GetProxyServer(url), url, proxyInUse, curlCode) != CURLE_OK)
    return curlCode;
  SetRedirectRules(curl, url, curlCode);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(CCorvexSettings().GetCurlTimeout()));
  ScopedRequestTrace trace(curl);

  long proxyCode = 0;
  Perform(curl, proxyInUse, httpCode, proxyCode, curlCode);
  if (!allowProxyLogin) return curlCode;
  while (IsAuthenticationAnswer(httpCode) || IsAuthenticationAnswer(proxyCode)) {
    CString user, password;
    if (GetProxyAuthorization(promptFlags, user, password) != 0) return -1;
    CString credentials;
    credentials.Format("%s:%s", user.GetString(), password.GetString());
    curlCode = curl_easy_setopt(curl, CURLOPT_PROXYUSERPWD, credentials.GetString());
    Perform(curl, proxyInUse, httpCode, proxyCode, curlCode);
    promptFlags |= kAlwaysShowPrompt;
  }
  return curlCode;
}
