#include "token_answer.h"

#include <cstring>
#include <utility>
#include <vector>

#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "identity_token.h"
#include "ktmw32.h"
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

// The answer's values go into the hive in one transaction: all of them land, or none,
// and the hive commits once instead of once a value. For its length the current user's
// key is redirected to a key opened in the transaction, so the token store writes as
// ever. Without a transaction (the hive refuses one) the values are written one by one.
int StoreTokensTogether(Globals& document) {
  HANDLE transaction = CreateTransaction(nullptr, nullptr, 0, 0, 0, 0, nullptr);
  HKEY user = nullptr;
  // Once a key is open in it, the transaction holds every write of this process: it is
  // committed even if the redirection failed.
  const bool opened = RegOpenKeyTransactedA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &user, transaction,
                                            nullptr) == ERROR_SUCCESS;
  const bool redirected = opened && RegOverridePredefKey(HKEY_CURRENT_USER, user) == ERROR_SUCCESS;
  int stored = StoreTokens(document);
  if (redirected) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (user) RegCloseKey(user);
  if (opened && stored && !CommitTransaction(transaction)) {
    CString text;
    text.Format("Unable to store the tokens in registry, error code %d", static_cast<int>(GetLastError()));
    Logger::getInstance()->error(LOG_SCOPE_USER, "Authentication error", text);
    stored = 0;
  }
  CloseHandle(transaction);  // rolls back what was not committed
  return stored;
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
  return status == 200 ? StoreTokensTogether(document) : 0;
}
