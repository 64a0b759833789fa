// VerifyAuthorization: a stored token refreshed, else (or when forced) the login page in
// the browser dialog and the code exchange, then the tracking texts or the error box.
#include <map>
#include <memory>
#include <new>

#include "CCorvexNetworkUtils.h"
#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2CefClient.h"
#include "CCorvexOAuth2Globals.h"
#include "CCorvexWebBrowserDlg.h"
#include "Logger.h"
#include "authentication_failure.h"
#include "winfile.h"

namespace {

using Globals = CCorvexOAuth2Globals;

const UINT kDialogTitleMessage = 14392;
const UINT kUnknownErrorMessage = 14360;
const int kLoginFailed = 1;
const int kExchanged = 3;
const int kFlowEnded = -1;

void Log(const CString& text) { Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Authentication", text); }

CString StoredAccessToken() {
  CString token;
  Globals::DecryptData(Globals::ACCESS_TOKEN, token);
  return token;
}

std::string LoginAddress(const std::string& challenge) {
  const std::map<std::wstring, std::wstring> params = {
      {L"app", Globals::APP_NAME},
      {L"client_id", Globals::CLIENT_ID},
      {L"code_challenge", std::wstring(challenge.begin(), challenge.end())},
      {L"code_challenge_method", L"S256"},
      {L"redirect_uri", Globals::REDIRECT_URI},
      {L"response_type", L"code"}};
  return CefString(Globals::BuildURL(Globals::AUTH_URI, params)).ToString();
}

// The login dialog with its client for one attempt. The client forgets the dialog
// before the dialog goes, so that a late notification posts nothing to it.
class LoginDialog {
 public:
  explicit LoginDialog(CCorvexOAuth2CefClient* client) : m_client(client) {}
  ~LoginDialog() { m_client->ForgetHostDialog(); }

  // Shows the login address; the outcome, read once, and the code with it.
  int Run(const std::string& address, CString& code) {
    CString title;
    title.LoadString(kDialogTitleMessage);
    m_dialog.SetTitle(title);
    m_dialog.SetSize(1600, 900);
    m_dialog.SetClientHandler(m_client.get());
    m_client->ResetAuthState();
    m_dialog.SetUrl(CString(address));
    try {
      m_dialog.DoModal();
    } catch (...) {
      return AUTHENT_FAILED;
    }
    m_client->ForgetHostDialog();
    return m_client->GetAuthState(code);
  }

 private:
  CefRefPtr<CCorvexOAuth2CefClient> m_client;
  CCorvexWebBrowserDlg m_dialog{nullptr};
};

// The code exchanged for tokens; true when they were stored.
bool ExchangeCode(CCorvexPkcePair& pair, const CString& code) {
  Log("authentication succeeded, proceed to get access token");
  const int status = pair.getAccessToken(code);
  if (status == 200) {
    Log("get access token succeeded, update flag and refesh date");
    return true;
  }
  CString line;
  line.Format("get access token failed, theHttpCode: %d", status);
  Log(line);
  return false;
}

}  // namespace

void CCorvexOAuth2::VerifyAuthorization(int force, CString& loginEventQuery, CString& softwareEventQuery) {
  try {
    Verify(force, loginEventQuery, softwareEventQuery);
  } catch (...) {
    m_isAuthorized = 0;
    ReportAuthenticationFailure("Unknown error");
  }
}

void CCorvexOAuth2::Verify(int force, CString& loginEventQuery, CString& softwareEventQuery) {
  Log("Verify token in register");
  int errorFlag = 0;
  CString token = StoredAccessToken();
  if (!token.IsEmpty()) {
    Log("access token is found in register");
    const int status = getRefreshToken();
    Log("send refresh token");
    if (status == 200) {
      Log("refresh token succeeded");
    } else if (status == 400) {
      Log("refresh token failed, token expired");
      token = StoredAccessToken();
      errorFlag = kLoginFailed;
    }
    m_isAuthorized = 1;
  }
  if (token.IsEmpty() || force) {
    const int loginFlag = Login();
    if (loginFlag == kFlowEnded) return;
    errorFlag = loginFlag;
  }
  if (m_isAuthorized) {
    LogTrackingEvent(loginEventQuery);
    const int cut = loginEventQuery.Find("&cd1");
    softwareEventQuery += cut >= 0 ? loginEventQuery.Left(cut) : loginEventQuery;
    TrackSoftwareInfos(softwareEventQuery);
  }
  if (errorFlag != kLoginFailed) return;
  Log("NavigateErrorMsg");
  Globals::NavigateErrorMsg(kUnknownErrorMessage);
}

int CCorvexOAuth2::Login() {
  if (GetFileAttributesA(CCorvexNetworkUtils::GetCertPath()) == INVALID_FILE_ATTRIBUTES) {
    ReportAuthenticationFailure("Unknown error");
    return kFlowEnded;
  }
  Log("Token not found in reg, launch auth page");
  if (!m_pPkcePair || m_pPkcePair->m_codeVerifier.empty() || m_pPkcePair->m_codeChallenge.empty()) {
    ReportAuthenticationFailure("Unable to create PKCE pair");
    return kFlowEnded;
  }
  CCorvexOAuth2CefClient* client = new (std::nothrow) CCorvexOAuth2CefClient;
  if (!client) {
    ReportAuthenticationFailure("Unable to create client handler");
    return kFlowEnded;
  }
  CString code;
  const int state = LoginDialog(client).Run(LoginAddress(m_pPkcePair->m_codeChallenge), code);
  if (state == AUTHENT_SUCCEEDED) {
    m_isAuthorized = ExchangeCode(*m_pPkcePair, code) ? 1 : 0;
    return kExchanged;
  }
  CString line;
  line.Format("authentication failed, state is %d", state);
  Logger::getInstance()->error(LOG_SCOPE_DEBUG, "Authentication", line);
  m_isAuthorized = 0;
  return kLoginFailed;
}
