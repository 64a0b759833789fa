#include "token_answer.h"

#include <cstring>
#include <utility>
#include <vector>

#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "identity_token.h"
#include "stored_text.h"

namespace {

using Globals = CCorvexOAuth2Globals;

// "error_description" says the refresh token is no longer valid, or, for a refresh
// answered 400, "error" says "invalid_grant" (the refresh token is invalid, expired or
// revoked), so the user signs in again.
bool RefusesRefreshToken(Globals& document, long status, TokenGrant grant) {
  CString text;
  if (FindStoredText(document, Globals::ERROR_DESCRIPTION, "", text) && text == Globals::TOKEN_EXPIRED) return true;
  return grant == TokenGrant::kRefresh && status == 400 && FindStoredText(document, Globals::ERROR_TOKEN, "", text) &&
         text == "invalid_grant";
}

void ForgetAccessToken() {
  if (Globals::EncryptData(Globals::ACCESS_TOKEN, "")) return;
  Logger::getInstance()->error(LOG_SCOPE_USER, "Authentication error", "Cannot reset access token after token expired");
}

// The tokens of the answer other than the access token, in the order they are stored.
std::vector<std::pair<const char*, CString>> OtherTokens(Globals& document) {
  std::vector<std::pair<const char*, CString>> found;
  for (const char* name : {Globals::REFRESH_TOKEN, Globals::TOKEN_TYPE, Globals::EXPIRE_IN}) {
    CString text;
    if (FindStoredText(document, name, "", text)) found.emplace_back(name, text);
  }
  return found;
}

int StoreTokens(Globals& document) {
  rapidjson::Value found;
  if (!document.getValueByKey(Globals::ACCESS_TOKEN, "", found) || !found.IsString()) return 0;
  const CString accessToken = StoredText(found);
  if (accessToken.IsEmpty()) return 0;
  CString idToken;
  for (const auto& [name, text] : OtherTokens(document))
    if (!Globals::EncryptData(name, text)) return 0;
  if (FindStoredText(document, Globals::ID_TOKEN, "", idToken) && !idToken.IsEmpty() &&
      !StoreIdentityProfile(document, idToken.str()))
    return 0;
  return Globals::EncryptData(Globals::ACCESS_TOKEN, accessToken);
}

}  // namespace

int StoreTokenAnswer(const std::string& body, long status, TokenGrant grant) {
  Globals document;
  // A zero byte would end the text early: such an answer is not JSON.
  if (std::memchr(body.data(), '\0', body.size()) || !document.parseData(body.c_str())) return 0;
  if (RefusesRefreshToken(document, status, grant)) {
    ForgetAccessToken();
    return 0;
  }
  // Tokens in an error answer are not taken for granted.
  return status == 200 ? StoreTokens(document) : 0;
}
