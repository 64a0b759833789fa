#include "client_flow.h"

namespace devidp_test {

Params LoginParams() {
  return {{"app", "tamberlo"},
          {"client_id", kClientId},
          {"code_challenge", kChallenge},
          {"code_challenge_method", "S256"},
          {"redirect_uri", kRedirectUri},
          {"response_type", "code"}};
}

std::string Query(const Params& params) {
  std::string query;
  for (const auto& [name, value] : params) query += name + "=" + value + "&";
  return query;
}

std::string SignIn(const DevIdpSession& idp, const std::string& user, const std::string& password) {
  const HttpAnswer login = idp.Post(kLoginPath, Query(LoginParams()) + "username=" + user + "&password=" + password);
  if (login.status != 302) return "";
  const HttpAnswer authorization = idp.Get(login.location.substr(idp.Url("").size()));
  return authorization.status == 302 ? authorization.location : "";
}

std::string CodeIn(const std::string& address) {
  const size_t start = address.find("?code="), end = address.find("&sfdc_community_url=");
  if (start == std::string::npos || end == std::string::npos || end < start) return "";
  return address.substr(start + 6, end - start - 6);
}

std::string ExchangeForm(const std::string& code, const std::string& verifier) {
  return "grant_type=authorization_code&code=" + code + "&redirect_uri=" + kRedirectUri + "&client_id=" + kClientId +
         "&code_verifier=" + verifier;
}

std::string RefreshForm(const std::string& refreshToken) {
  return "grant_type=refresh_token&client_id=" + kClientId + "&refresh_token=" + refreshToken;
}

}  // namespace devidp_test
