// The login page's client: its outcome, its dialog and the request headers it changes.
#include <strings.h>

#include "CCorvexOAuth2CefClient.h"
#include "afxwin.h"

namespace {

const char kUserAgent[] = "User-Agent";
const char kDesktopUserAgent[] = "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:68.0) Gecko/20100101 Firefox/68.0";

bool IsUserAgent(const CefString& name) { return strcasecmp(name.ToString().c_str(), kUserAgent) == 0; }

}  // namespace

CCorvexOAuth2CefClient::CCorvexOAuth2CefClient() : CCorvexCefClient(nullptr) {}

int CCorvexOAuth2CefClient::GetAuthState(CString& code) const {
  std::lock_guard<std::mutex> lock(m_stateLock);
  code = m_nAuthState == AUTHENT_SUCCEEDED ? m_strAuthCode : CString();
  return m_nAuthState;
}

void CCorvexOAuth2CefClient::ResetAuthState() {
  std::lock_guard<std::mutex> lock(m_stateLock);
  m_nAuthState = AUTHENT_NONE;
  m_strAuthCode.Empty();
}

int CCorvexOAuth2CefClient::AuthState() const {
  std::lock_guard<std::mutex> lock(m_stateLock);
  return m_nAuthState;
}

void CCorvexOAuth2CefClient::SetAuthState(int state) {
  std::lock_guard<std::mutex> lock(m_stateLock);
  m_nAuthState = state;
}

void CCorvexOAuth2CefClient::ForgetHostDialog() {
  std::lock_guard<std::mutex> lock(m_hostLock);
  SetHostDialog(nullptr);
}

void CCorvexOAuth2CefClient::CloseDialog() {
  std::lock_guard<std::mutex> lock(m_hostLock);
  if (CDialog* dialog = GetHostDialog()) dialog->PostMessage(WM_CLOSE);
}

CefResourceRequestHandler::ReturnValue CCorvexOAuth2CefClient::OnBeforeResourceLoad(CefRefPtr<CefBrowser>,
                                                                                    CefRefPtr<CefFrame>,
                                                                                    CefRefPtr<CefRequest> request,
                                                                                    CefRefPtr<CefCallback>) {
  if (!request) return RV_CONTINUE;
  const std::string url = request->GetURL().ToString();
  if (url.find("google") == std::string::npos && url.find("Google") == std::string::npos) return RV_CONTINUE;
  CefRequest::HeaderMap headers;
  request->GetHeaderMap(headers);
  for (auto entry = headers.begin(); entry != headers.end();)
    entry = IsUserAgent(entry->first) ? headers.erase(entry) : std::next(entry);
  headers.emplace(kUserAgent, kDesktopUserAgent);
  request->SetHeaderMap(headers);
  return RV_CONTINUE;
}
