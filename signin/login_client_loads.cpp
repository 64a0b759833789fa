// The login page's load notifications: the redirect that carries the code, the maker's
// pages and other sites, and failed loads. Addresses reach the log masked.
#include "CCorvexNetworkUtils.h"
#include "CCorvexOAuth2CefClient.h"
#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "corvex_deployment.h"
#include "login_hosts.h"
#include "sensapi.h"

namespace {

using Globals = CCorvexOAuth2Globals;

const char kTitle[] = "Authentication";
const char kTruncatedTitle[] = "Authentication: incoming URL truncated";
const UINT kNoInternetMessage = 14355;

std::string Narrow(const std::wstring& text) { return CefString(text).ToString(); }

CString Masked(const std::string& address) { return CCorvexNetworkUtils::MaskSecrets(CString(address)); }

void Info(const char* title, const CString& text) { Logger::getInstance()->info(LOG_SCOPE_DEBUG, title, text); }

// `format` with its one "%s" filled by the masked address.
void InfoAddress(const char* format, const std::string& address) {
  CString text;
  text.Format(format, Masked(address).GetString());
  Info(kTitle, text);
}

struct Expected {
  const char* title;
  std::string address;
};

// Each expected address beside the incoming one cut to its length.
void LogExpected(const std::string& address, const Expected (&expected)[3]) {
  for (const Expected& entry : expected) {
    Info(entry.title, Masked(entry.address));
    Info(kTruncatedTitle, Masked(address.substr(0, entry.address.size())));
  }
}

bool StartsWithAny(const std::string& address, const std::string& a, const std::string& b, const std::string& c) {
  return StartsWithAddress(address, a) || StartsWithAddress(address, b) || StartsWithAddress(address, c);
}

}  // namespace

void CCorvexOAuth2CefClient::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int) {
  if (AuthState() == AUTHENT_SUCCEEDED || !frame || !browser) return;
  SetAuthState(AUTHENT_FAILED);
  const std::string address = frame->GetURL().ToString();
  const std::string redirect = Narrow(Globals::REDIRECT_URI), authUri = Narrow(Globals::AUTH_URI);
  InfoAddress("complete url : %s", address);
  LogExpected(address, {{"Authentication: expected redirection local URL", redirect},
                        {"Authentication: expected redirection authorization URL", Narrow(Globals::REDIRECT_AUTH)},
                        {"Authentication: expected redirection login URL", authUri}});
  if (StartsWithAddress(address, redirect)) {
    InfoAddress("NavigateComplete, valid url redirect: %s", address);
    return ExtractCode(address, true);
  }
  if (IsExternalLink(address, authUri, CORVEX_HOME_DOMAIN_LABEL, CORVEX_HOME_SHORT_DOMAIN_LABEL))
    return InfoAddress("NavigateComplete, navigate to external link: %s", address);
  if (address != m_strHttpErrorUrl) return;
  InfoAddress("NavigateComplete, error: %s", address);
  CloseDialog();
}

void CCorvexOAuth2CefClient::OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                                         const CefString&, const CefString& failedUrl) {
  if (!frame || !browser) return;
  const std::string address = failedUrl.ToString();
  const std::string redirect = Narrow(Globals::REDIRECT_URI), authorization = Narrow(Globals::REDIRECT_AUTH),
                    singleSignOn = Narrow(Globals::PINGID_URI);
  m_strHttpErrorUrl.clear();
  CString text;
  text.Format("error url : %s, http code: %d", Masked(address).GetString(), errorCode);
  Info(kTitle, text);
  LogExpected(address, {{"Authentication: expected redirection local URL", redirect},
                        {"Authentication: expected redirection authorization URL", authorization},
                        {"Authentication: expected redirection PingID URL", singleSignOn}});
  DWORD flags = 0;
  if (!IsNetworkAlive(&flags)) {
    SetAuthState(AUTHENT_FAILED);
    Info("Authentication IsNetworkAlive", "failure");
    Globals::NavigateErrorMsg(kNoInternetMessage);
    return CloseDialog();
  }
  if (!StartsWithAny(address, redirect, authorization, singleSignOn)) {
    InfoAddress("Http error, navigate to error url : %s", address);
    m_strHttpErrorUrl = address;
    return SetAuthState(AUTHENT_FAILED);
  }
  Info(kTitle, "NavigateError, valid url redirect");
  if (AuthState() == AUTHENT_SUCCEEDED) return;
  SetAuthState(AUTHENT_FAILED);
  if (!StartsWithAddress(address, redirect)) return;
  Info("Authentication html dlg ", "proceed to getcode");
  ExtractCode(address, false);
}

void CCorvexOAuth2CefClient::ExtractCode(const std::string& address, bool fromLoadEnd) {
  const std::string startMarker = Narrow(Globals::CODE_LABEL_PARAM), endMarker = Narrow(Globals::CLIENT_ID_LABEL_PARAM);
  const size_t start = address.find(startMarker), end = address.find(endMarker);
  if (start == std::string::npos || end == std::string::npos) return;
  const size_t first = start + startMarker.size();
  const std::string code = end > first ? address.substr(first, end - first) : std::string();
  if (code.empty()) {
    Logger::getInstance()->error(
        LOG_SCOPE_DEBUG, "Authentication html dlg error",
        fromLoadEnd ? "no code in redirect url and close dlg" : "no code in redirect url and exit");
    SetAuthState(AUTHENT_NONE);
  } else {
    Info("Authentication html dlg complete", fromLoadEnd ? "getcode and close dlg" : "getcode and exit");
    std::lock_guard<std::mutex> lock(m_stateLock);
    m_strAuthCode = CString(code);
    m_nAuthState = AUTHENT_SUCCEEDED;
  }
  CloseDialog();
}
