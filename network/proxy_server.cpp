// _GetProxyServer: the proxy the user's Internet settings name for an address, the
// configured proxy first, else the answer of the configured proxy script.
#include <string>

#include "CCorvexNetworkUtils.h"
#include "winhttp.h"
#include "winnls.h"

namespace {

std::u16string Wide(const CString& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
  std::u16string wide(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), wide.data(), length);
  return wide;
}

// Takes a string the platform handed out: its narrow text, and frees it.
CString TakeText(LPWSTR text) {
  if (!text) return CString();
  CString narrow(text);
  GlobalFree(text);
  return narrow;
}

// The script's answer for the address, and the decision text.
CString ProxyFromScript(const CString& scriptUrl, const CString& url, CString& decision) {
  HINTERNET session = WinHttpOpen(reinterpret_cast<LPCWSTR>(Wide(CCorvexNetworkUtils::APPLICATION_NAME).c_str()),
                                  WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  if (!session) {
    decision.Format("Unable to open connection with PAC file %s", scriptUrl.GetString());
    return CString();
  }
  const std::u16string wideScript = Wide(scriptUrl);
  WINHTTP_AUTOPROXY_OPTIONS options = {};
  options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
  options.lpszAutoConfigUrl = wideScript.c_str();
  options.fAutoLogonIfChallenged = TRUE;
  WINHTTP_PROXY_INFO info = {};
  CString proxy;
  if (WinHttpGetProxyForUrl(session, Wide(url).c_str(), &options, &info)) {
    proxy = TakeText(info.lpszProxy);
    TakeText(info.lpszProxyBypass);
  }
  if (!proxy.IsEmpty())
    decision.Format("Proxy %s used from PAC file for URL %s", proxy.GetString(), url.GetString());
  else
    decision.Format("No proxy found from PAC file %s for URL %s", scriptUrl.GetString(), url.GetString());
  WinHttpCloseHandle(session);
  return proxy;
}

}  // namespace

CString CCorvexNetworkUtils::_GetProxyServer(CString url) {
  CString proxy;
  CString decision;
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
  if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) {
    decision = "No proxy found in Internet Explorer configuration";
  } else {
    const CString configured = TakeText(config.lpszProxy);
    const CString scriptUrl = TakeText(config.lpszAutoConfigUrl);
    TakeText(config.lpszProxyBypass);
    if (!configured.IsEmpty()) {
      proxy = configured;
      decision.Format("Proxy %s found in Internet Explorer configuration", configured.GetString());
    } else if (!scriptUrl.IsEmpty()) {
      proxy = ProxyFromScript(scriptUrl, url, decision);
    }
  }
  CurrentProxyStatus.Format("proxy status: %s", decision.GetString());
  return proxy;
}
