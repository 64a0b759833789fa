#include "discovery_routes.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "json_answers.h"
#include "paths.h"

namespace devidp {
namespace {

std::string OpenIdConfiguration(const std::string& issuer) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
  const auto text = [&json](const char* name, const std::string& value) {
    json.Key(name);
    json.String(value.c_str());
  };
  const auto list = [&json](const char* name, std::initializer_list<const char*> values) {
    json.Key(name);
    json.StartArray();
    for (const char* value : values) json.String(value);
    json.EndArray();
  };
  json.StartObject();
  text("issuer", issuer);
  text("authorization_endpoint", issuer + kLoginPath);
  text("token_endpoint", issuer + kTokenPath);
  text("jwks_uri", issuer + kJwksPath);
  list("response_types_supported", {"code"});
  list("grant_types_supported", {"authorization_code", "refresh_token"});
  list("code_challenge_methods_supported", {"S256"});
  list("subject_types_supported", {"public"});
  list("id_token_signing_alg_values_supported", {"RS256"});
  list("token_endpoint_auth_methods_supported", {"none"});
  json.EndObject();
  return buffer.GetString();
}

}  // namespace

std::string CaBundle(const std::string& caPem) { return "## Bundle of CA Root Certificates\n" + caPem; }

void AddDiscoveryRoutes(Router& router, Provider& provider) {
  router.Get(kCaBundlePath, [&provider](const httplib::Request&, httplib::Response& res) {
    res.set_content(provider.caBundle, "application/x-pem-file");
  });
  router.Get(kDiscoveryPath, [&provider](const httplib::Request&, httplib::Response& res) {
    AnswerJson(res, 200, OpenIdConfiguration(provider.issuer));
  });
  router.Get(kJwksPath, [&provider](const httplib::Request&, httplib::Response& res) {
    AnswerJson(res, 200, provider.signer.JwksJson());
  });
}

}  // namespace devidp
