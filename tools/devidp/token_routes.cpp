#include "token_routes.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "encoding.h"
#include "json_answers.h"
#include "paths.h"

namespace devidp {
namespace {

const int kAccessTokenLifetimeSeconds = 7200;

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void Member(JsonWriter& json, const char* name, const std::string& value) {
  json.Key(name);
  json.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
}

std::string IdentityClaims(const Provider& provider, const std::string& userName) {
  const time_t now = provider.grants.Now();
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  Member(json, "iss", provider.issuer);
  Member(json, "aud", provider.clientId);
  Member(json, "sub", userName);
  json.Key("iat");
  json.Int64(now);
  json.Key("exp");
  json.Int64(now + kAccessTokenLifetimeSeconds);
  const User* user = provider.users.Find(userName);
  if (user && !user->customAttributesJson.empty()) {
    json.Key("custom_attributes");
    json.RawValue(user->customAttributesJson.c_str(), user->customAttributesJson.size(), rapidjson::kObjectType);
  }
  json.EndObject();
  return buffer.GetString();
}

void AnswerTokens(Provider& provider, const std::string& user, const std::string& refreshToken,
                  httplib::Response& res) {
  const std::string accessToken = NewSecret("access");
  const std::string idToken = provider.signer.Sign(IdentityClaims(provider, user));
  provider.grants.RecordIssued("access_token", accessToken);
  provider.grants.RecordIssued("id_token", idToken);
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  Member(json, "access_token", accessToken);
  Member(json, "refresh_token", refreshToken);
  Member(json, "token_type", "Bearer");
  json.Key("expires_in");
  json.Int(kAccessTokenLifetimeSeconds);
  Member(json, "id_token", idToken);
  Member(json, "scope", "openid refresh_token");
  json.EndObject();
  AnswerJson(res, 200, buffer.GetString());
}

// The first of `names` missing from the form, or null when all are there.
const char* MissingField(const Form& form, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (!form.Find(name)) return name;
  }
  return nullptr;
}

void ExchangeCode(Provider& provider, const Form& form, httplib::Response& res) {
  if (const char* missing = MissingField(form, {"code", "redirect_uri", "client_id", "code_verifier"})) {
    return AnswerError(res, 400, "invalid_request", std::string("missing ") + missing);
  }
  const std::string& clientId = *form.Find("client_id");
  std::string user, why;
  if (!provider.grants.RedeemCode(*form.Find("code"), clientId, *form.Find("redirect_uri"),
                                  *form.Find("code_verifier"), user, why)) {
    return AnswerError(res, 400, "invalid_grant", why);
  }
  AnswerTokens(provider, user, provider.grants.IssueRefreshToken(user, clientId), res);
}

void Refresh(Provider& provider, const Form& form, httplib::Response& res) {
  if (const char* missing = MissingField(form, {"refresh_token", "client_id"})) {
    return AnswerError(res, 400, "invalid_request", std::string("missing ") + missing);
  }
  std::string user, why;
  if (!provider.grants.UseRefreshToken(*form.Find("refresh_token"), *form.Find("client_id"), user, why)) {
    return AnswerError(res, 400, "invalid_grant", why);
  }
  AnswerTokens(provider, user, *form.Find("refresh_token"), res);
}

}  // namespace

void AddTokenRoutes(Router& router, Provider& provider) {
  router.PostForm(kTokenPath, [&provider](const httplib::Request&, const Form& form, httplib::Response& res) {
    ForcedAnswer forced = provider.switches.TakeForcedAnswer();
    if (forced.status != 0) return AnswerJson(res, forced.status, forced.body);
    const std::string* grantType = form.Find("grant_type");
    if (grantType && *grantType == "authorization_code") return ExchangeCode(provider, form, res);
    if (grantType && *grantType == "refresh_token") return Refresh(provider, form, res);
    AnswerError(res, 400, "invalid_request", grantType ? "unsupported grant_type" : "missing grant_type");
  });
}

}  // namespace devidp
