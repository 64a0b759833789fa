// Token requests: a form-encoded POST whose answer is stored once it is complete.
#include "token_request.h"

#include <curl/curl.h>

#include <memory>

#include "CCorvexNetworkUtils.h"
#include "CCorvexOAuth2Globals.h"
#include "CCorvexPkcePair.h"
#include "Logger.h"
#include "percent_encoding.h"
#include "sensapi.h"
#include "token_answer.h"
#include "token_response.h"

namespace {

using Globals = CCorvexOAuth2Globals;
using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

const int kNoNetworkMessage = 14355;

void Log(const CString& text) { Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Authentication", text); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Field(const char* name, const std::string& value) { return std::string(name) + "=" + FormEncode(value); }

HeaderList TokenHeaders() {
  curl_slist* list = nullptr;
  for (const char* header : {"cache-control: no-cache", "Content-Type: application/x-www-form-urlencoded",
                             "Accept: application/json"})
    list = curl_slist_append(list, header);
  return HeaderList(list, curl_slist_free_all);
}

// Method, headers, CA bundle, body and answer; the secrets never follow a redirect.
CString PrepareRequest(CURL* curl, curl_slist* headers, const std::string& form, TokenResponse& response) {
  const CString caPath = CCorvexNetworkUtils::GetCertPath();
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "POST");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_CAINFO, caPath.GetString());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, form.c_str());
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 0L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, TokenResponseWriter);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, TokenResponseHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response);
  return caPath;
}

// StoreTokenAnswer, with any failure it raises logged and taken as nothing stored.
int StoreCompleteAnswer(const TokenResponse& response, long status, TokenGrant grant) noexcept {
  try {
    return StoreTokenAnswer(response.body, status, grant);
  } catch (...) {
  }
  try {
    Logger::getInstance()->error(LOG_SCOPE_DEBUG, "Authentication error", "Cannot store the token answer");
  } catch (...) {
  }
  return 0;
}

// Runs the prepared request and stores a complete answer. The status, with 200 only
// for an answer that was stored.
int Perform(CURL* curl, const std::string& url, const TokenResponse& response, TokenGrant grant) {
  long httpCode = 0;
  CURLcode curlCode = CURLE_OK;
  const int result = CCorvexNetworkUtils::DoNetworkRequest(curl, url.c_str(), 1, httpCode, curlCode, 1);
  CString line;
  line.Format("DoNetworkRequest result is %d, httpcode: %ld, %s", result, httpCode,
              CCorvexNetworkUtils::CurrentProxyStatus.GetString());
  Log(line);
  const bool complete = result == CURLE_OK && !response.tooLarge;
  const int stored = complete ? StoreCompleteAnswer(response, httpCode, grant) : 0;
  return httpCode == 200 && !stored ? 0 : static_cast<int>(httpCode);
}

void ReportExchangeFailure(int status) {
  DWORD flags = 0;
  if (!IsNetworkAlive(&flags)) {
    Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Authentication error ", "no internet while get access tokens");
    Globals::NavigateErrorMsg(kNoNetworkMessage);
    return;
  }
  Globals::GetErrorMsg(status, 0);
}

}  // namespace

int ExchangeCodeAt(const std::string& url, const CString& code, const std::string& verifier) {
  Log("Start of get Access Token");
  CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    Log("End of get Access Token");
    return 0;
  }
  const std::string form = "grant_type=authorization_code&" + Field("code", PercentDecode(code.str())) + "&" +
                           Field("redirect_uri", Narrow(Globals::REDIRECT_URI)) + "&" +
                           Field("client_id", Narrow(Globals::CLIENT_ID)) + "&" + Field("code_verifier", verifier);
  HeaderList headers = TokenHeaders();
  TokenResponse response;
  CString line;
  line.Format("getAccessToken: CURLOPT_CAINFO %s", PrepareRequest(curl.get(), headers.get(), form, response).GetString());
  Log(line);
  line.Format("getAccessToken: CURLOPT_POSTFIELDS %s", CCorvexNetworkUtils::MaskSecrets(form.c_str()).GetString());
  Log(line);
  const int status = Perform(curl.get(), url, response, TokenGrant::kCodeExchange);
  curl.reset();
  if (status != 200) ReportExchangeFailure(status);
  Log("End of get Access Token");
  return status;
}

int RefreshTokensAt(const std::string& url) {
  Log("start of get refresh Token");
  CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    Log("End of Refresh Token");
    return 0;
  }
  CString refreshToken;
  Globals::DecryptData(Globals::REFRESH_TOKEN, refreshToken);
  const std::string form = "grant_type=refresh_token&" + Field("client_id", Narrow(Globals::CLIENT_ID)) + "&" +
                           Field("refresh_token", refreshToken.str());
  HeaderList headers = TokenHeaders();
  TokenResponse response;
  PrepareRequest(curl.get(), headers.get(), form, response);
  const int status = Perform(curl.get(), url, response, TokenGrant::kRefresh);
  curl.reset();
  Log("End of Refresh Token");
  return status;
}

int CCorvexPkcePair::getAccessToken(CString code) { return ExchangeCodeAt(Globals::API_URI, code, m_codeVerifier); }

int getRefreshToken() { return RefreshTokensAt(CCorvexOAuth2Globals::API_URI); }
