// corvex-devidp, run for real: start-up and its CA, the login page and its redirects,
// the token endpoint's grants, identity tokens against the key set, bad input, the test
// control, and what its log may show.
#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/crypto.h>
#include <openssl/param_build.h>
#include <sys/stat.h>

#include <map>
#include <rapidjson/document.h>

#include "client_flow.h"
#include "test_support.h"

using namespace devidp_test;

namespace {

std::string Sha256Hex(const std::string& bytes) {
  unsigned char digest[32];
  EVP_Q_digest(nullptr, "SHA256", nullptr, bytes.data(), bytes.size(), digest, nullptr);
  char hex[65];
  OPENSSL_buf2hexstr_ex(hex, sizeof hex, nullptr, digest, sizeof digest, '\0');
  std::string text(hex);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

rapidjson::Document Json(const std::string& text) {
  rapidjson::Document document;
  document.Parse(text.c_str());
  return document;
}

std::string Text(const rapidjson::Document& document, const char* name) {
  return document.IsObject() && document.HasMember(name) && document[name].IsString() ? document[name].GetString()
                                                                                       : "";
}

class DevIdpTest : public ::testing::Test {
 protected:
  HttpAnswer Exchange(const DevIdpSession& idp, const std::string& code, const std::string& verifier) {
    return idp.Post(kTokenPath, ExchangeForm(code, verifier));
  }
  HttpAnswer Refresh(const DevIdpSession& idp, const std::string& refreshToken) {
    return idp.Post(kTokenPath, RefreshForm(refreshToken));
  }

  testing_support::TempFolder m_folder;
};

TEST_F(DevIdpTest, KeepsItsCaAcrossStartsAndServesItAsTheBundle) {
  std::string ca;
  {
    DevIdpSession idp(m_folder.path());
    ASSERT_TRUE(idp.Running());
    ca = testing_support::ReadWholeFile(idp.CaFile());
    EXPECT_EQ("## Bundle of CA Root Certificates\n" + ca, idp.Get("/ca/cacert.pem").body);
    EXPECT_EQ(404, idp.Post("/_test/expire-refresh-tokens", "").status) << "no test control without the flag";
    EXPECT_EQ(0, idp.Stop());
  }
  struct stat status;
  ASSERT_EQ(0, stat(DataFolder(m_folder.path()).c_str(), &status));
  EXPECT_EQ(0700u, status.st_mode & 0777);
  for (const char* file : {"ca.pem", "ca-key.pem", "server.pem", "server-key.pem", "signing-key.pem"}) {
    ASSERT_EQ(0, stat((DataFolder(m_folder.path()) + "/" + file).c_str(), &status));
    EXPECT_EQ(0600u, status.st_mode & 0777) << file;
  }
  DevIdpSession again(m_folder.path());
  ASSERT_TRUE(again.Running());
  EXPECT_EQ(ca, testing_support::ReadWholeFile(again.CaFile()));
  EXPECT_EQ(200, again.Get("/.well-known/openid-configuration").status);
}

TEST_F(DevIdpTest, RefusesATakenPortAndAFileAsDataFolder) {
  DevIdpSession idp(m_folder.path());
  ASSERT_TRUE(idp.Running());
  const std::string port = idp.Url("").substr(std::string("https://127.0.0.1:").size());
  const auto taken = testing_support::RunProgram(ProgramPath(),
                                                 {"--port", port, "--data", m_folder / "other"}, {}, 20);
  EXPECT_EQ(1, taken.exitCode);
  EXPECT_NE(std::string::npos, taken.output.find("cannot listen on 127.0.0.1:" + port)) << taken.output;

  testing_support::WriteWholeFile(m_folder / "plain-file", "x");
  const auto notFolder = testing_support::RunProgram(ProgramPath(),
                                                     {"--port", "0", "--data", m_folder / "plain-file"}, {}, 20);
  EXPECT_EQ(1, notFolder.exitCode);
  EXPECT_NE(std::string::npos, notFolder.output.find("data folder")) << notFolder.output;
}

TEST_F(DevIdpTest, LoginPageRefusesEachWrongParameterWithoutRedirect) {
  DevIdpSession idp(m_folder.path());
  ASSERT_TRUE(idp.Running());
  const HttpAnswer page = idp.Get(kLoginPath + "?" + Query(LoginParams()));
  EXPECT_EQ(200, page.status);
  EXPECT_NE(std::string::npos, page.body.find("<form method=\"post\""));

  const struct {
    const char* name;
    std::string value;  // "-": left out
  } wrong[] = {{"client_id", kClientId + "x"}, {"client_id", "-"},
               {"redirect_uri", "https://localhost:8091/login"}, {"redirect_uri", "-"},
               {"response_type", "token"}, {"code_challenge", kChallenge.substr(1)},
               {"code_challenge", kChallenge.substr(1) + "+"}, {"code_challenge", "-"},
               {"code_challenge_method", "plain"}, {"code_challenge_method", "-"}};
  for (const auto& change : wrong) {
    Params params = LoginParams();
    if (change.value == "-") {
      params.erase(change.name);
    } else {
      params[change.name] = change.value;
    }
    const HttpAnswer refused = idp.Get(kLoginPath + "?" + Query(params));
    EXPECT_EQ(400, refused.status) << change.name << "=" << change.value;
    EXPECT_EQ("", refused.location) << change.name << "=" << change.value;
  }
  EXPECT_EQ(400, idp.Get(kLoginPath + "?" + Query(LoginParams()) + "client_id=" + kClientId).status);
}

TEST_F(DevIdpTest, FormLoginRedirectsToTheClientWithAnEncodedCode) {
  DevIdpSession idp(m_folder.path(), {"--test-control"});
  ASSERT_TRUE(idp.Running());
  const HttpAnswer wrongPassword = idp.Post(kLoginPath, Query(LoginParams()) + "username=demo&password=nope");
  EXPECT_EQ(200, wrongPassword.status);
  EXPECT_NE(std::string::npos, wrongPassword.body.find("Wrong user name or password"));
  EXPECT_EQ("", wrongPassword.location);

  const HttpAnswer login = idp.Post(kLoginPath, Query(LoginParams()) + "username=demo&password=demo");
  ASSERT_EQ(302, login.status);
  EXPECT_EQ(0u, login.location.find(idp.Url("/identity/setup/secur/RemoteAccessAuthorizationPage.apexp?")));
  const std::string ticketPath = login.location.substr(idp.Url("").size());
  const HttpAnswer authorization = idp.Get(ticketPath);
  ASSERT_EQ(302, authorization.status);
  EXPECT_EQ(400, idp.Get(ticketPath).status) << "a ticket is single-use";

  const std::string& address = authorization.location;
  EXPECT_EQ(0u, address.find(kRedirectUri + "?code="));
  const size_t communityUrl = address.find("&sfdc_community_url=https%3A%2F%2F");
  ASSERT_NE(std::string::npos, communityUrl);
  EXPECT_NE(std::string::npos, address.find('&', communityUrl + 1)) << "one more parameter follows";
  const std::string code = CodeIn(address);
  EXPECT_EQ(std::string::npos, code.find_first_of("+/=!"));
  const std::string issued = idp.Get("/_test/issued").body;
  EXPECT_NE(std::string::npos, issued.find(Sha256Hex(Decode(code))));
}

TEST_F(DevIdpTest, CodeIsSingleUseBoundToItsVerifierAndShortLived) {
  DevIdpSession idp(m_folder.path(), {"--test-control"});
  ASSERT_TRUE(idp.Running());
  const std::string spentByMismatch = CodeIn(SignIn(idp, "demo", "demo"));
  const std::string good = CodeIn(SignIn(idp, "demo", "demo"));
  const std::string late = CodeIn(SignIn(idp, "demo", "demo"));

  EXPECT_EQ(400, Exchange(idp, spentByMismatch, kVerifier.substr(1) + "A").status);
  EXPECT_EQ(400, Exchange(idp, spentByMismatch, kVerifier).status);

  const HttpAnswer tokens = Exchange(idp, good, kVerifier);
  ASSERT_EQ(200, tokens.status) << tokens.body;
  const rapidjson::Document answer = Json(tokens.body);
  for (const char* field : {"access_token", "refresh_token", "id_token"}) EXPECT_NE("", Text(answer, field));
  EXPECT_EQ("Bearer", Text(answer, "token_type"));
  EXPECT_TRUE(answer["expires_in"].IsInt());
  const HttpAnswer twice = Exchange(idp, good, kVerifier);
  EXPECT_EQ(400, twice.status);
  EXPECT_EQ("invalid_grant", Text(Json(twice.body), "error"));

  idp.Post("/_test/advance-clock", "seconds=61");
  const HttpAnswer tooLate = Exchange(idp, late, kVerifier);
  EXPECT_EQ(400, tooLate.status);
  EXPECT_EQ("invalid_grant", Text(Json(tooLate.body), "error"));
}

TEST_F(DevIdpTest, RefreshWorksUntilExpiredAndSecretsNeverReachTheLog) {
  DevIdpSession idp(m_folder.path(), {"--test-control"});
  ASSERT_TRUE(idp.Running());
  const std::string code = CodeIn(SignIn(idp, "demo", "demo"));
  const rapidjson::Document tokens = Json(Exchange(idp, code, kVerifier).body);
  const std::string refreshToken = Text(tokens, "refresh_token");

  const HttpAnswer refreshed = Refresh(idp, Encode(refreshToken));
  ASSERT_EQ(200, refreshed.status) << refreshed.body;
  EXPECT_NE(Text(tokens, "access_token"), Text(Json(refreshed.body), "access_token"));
  EXPECT_EQ(400, Refresh(idp, refreshToken).status) << "a token sent without encoding is not the token";
  const HttpAnswer unknown = Refresh(idp, "unknown");
  EXPECT_EQ("invalid_grant", Text(Json(unknown.body), "error"));
  EXPECT_NE("token validity expired", Text(Json(unknown.body), "error_description"));

  idp.Post("/_test/expire-refresh-tokens", "");
  const HttpAnswer expired = Refresh(idp, Encode(refreshToken));
  EXPECT_EQ(400, expired.status);
  EXPECT_EQ(R"({"error":"invalid_grant","error_description":"token validity expired"})", expired.body);

  const std::string log = idp.Log();
  EXPECT_NE(std::string::npos, log.find("ticket=***"));
  for (const std::string& secret : {code, Decode(code), kVerifier, refreshToken,
                                    Encode(refreshToken), Text(tokens, "access_token"),
                                    std::string("password=demo")}) {
    EXPECT_EQ(std::string::npos, log.find(secret)) << secret;
  }
}

std::string Base64UrlDecode(std::string text) {
  for (char& c : text) c = c == '-' ? '+' : c == '_' ? '/' : c;
  while (text.size() % 4) text += '=';
  std::string bytes(text.size(), '\0');
  const int length = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                     reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
  bytes.resize(length < 0 ? 0 : static_cast<size_t>(length) - (text.size() - text.find_last_not_of('=') - 1));
  return bytes;
}

// Checks the RS256 signature of `token` with the RSA key (n, e) of a JWKS entry.
bool VerifiesWith(const std::string& token, const rapidjson::Value& jwk) {
  const std::string n = Base64UrlDecode(jwk["n"].GetString()), e = Base64UrlDecode(jwk["e"].GetString());
  BIGNUM* modulus = BN_bin2bn(reinterpret_cast<const unsigned char*>(n.data()), static_cast<int>(n.size()), nullptr);
  BIGNUM* exponent = BN_bin2bn(reinterpret_cast<const unsigned char*>(e.data()), static_cast<int>(e.size()), nullptr);
  OSSL_PARAM_BLD* build = OSSL_PARAM_BLD_new();
  OSSL_PARAM_BLD_push_BN(build, OSSL_PKEY_PARAM_RSA_N, modulus);
  OSSL_PARAM_BLD_push_BN(build, OSSL_PKEY_PARAM_RSA_E, exponent);
  OSSL_PARAM* params = OSSL_PARAM_BLD_to_param(build);
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr);
  EVP_PKEY* key = nullptr;
  EVP_PKEY_fromdata_init(context);
  EVP_PKEY_fromdata(context, &key, EVP_PKEY_PUBLIC_KEY, params);
  const size_t lastDot = token.rfind('.');
  const std::string signedPart = token.substr(0, lastDot), signature = Base64UrlDecode(token.substr(lastDot + 1));
  EVP_MD_CTX* verify = EVP_MD_CTX_new();
  const bool valid = key && EVP_DigestVerifyInit(verify, nullptr, EVP_sha256(), nullptr, key) == 1 &&
                     EVP_DigestVerify(verify, reinterpret_cast<const unsigned char*>(signature.data()),
                                      signature.size(), reinterpret_cast<const unsigned char*>(signedPart.data()),
                                      signedPart.size()) == 1;
  EVP_MD_CTX_free(verify);
  EVP_PKEY_free(key);
  EVP_PKEY_CTX_free(context);
  OSSL_PARAM_free(params);
  OSSL_PARAM_BLD_free(build);
  BN_free(modulus);
  BN_free(exponent);
  return valid;
}

TEST_F(DevIdpTest, IdentityTokenVerifiesWithTheKeySetAndCarriesTheStoredAttributes) {
  testing_support::WriteWholeFile(m_folder / "users.json",
                                  R"([{"name":"big.id","password":"pw","custom_attributes":{"federatedId":9007199254740993}},
                                      {"name":"text","password":"pw","custom_attributes":"plain"}])");
  DevIdpSession idp(m_folder.path(), {"--users", m_folder / "users.json"});
  ASSERT_TRUE(idp.Running());
  const rapidjson::Document keys = Json(idp.Get("/identity/id/keys").body);
  const std::string issuer = Text(Json(idp.Get("/.well-known/openid-configuration").body), "issuer");
  const struct {
    const char* user;
    const char* password;
    std::string attributes;  // as the claims text must hold them
  } users[] = {{"koru.staff", "koru", R"("custom_attributes":{"federatedId":"KORU)"},
               {"big.id", "pw", R"("custom_attributes":{"federatedId":9007199254740993})"},
               {"text", "pw", R"("custom_attributes":"plain")"}};
  for (const auto& user : users) {
    const std::string idToken = Text(Json(Exchange(idp, CodeIn(SignIn(idp, user.user, user.password)), kVerifier).body),
                                     "id_token");
    const size_t firstDot = idToken.find('.'), lastDot = idToken.rfind('.');
    ASSERT_NE(firstDot, lastDot) << user.user;
    const rapidjson::Document header = Json(Base64UrlDecode(idToken.substr(0, firstDot)));
    EXPECT_EQ("RS256", Text(header, "alg"));
    EXPECT_EQ(Text(header, "kid"), keys["keys"][0]["kid"].GetString());
    EXPECT_TRUE(VerifiesWith(idToken, keys["keys"][0])) << user.user;
    const std::string claimsText = Base64UrlDecode(idToken.substr(firstDot + 1, lastDot - firstDot - 1));
    const rapidjson::Document claims = Json(claimsText);
    EXPECT_EQ(kClientId, Text(claims, "aud"));
    EXPECT_EQ(issuer, Text(claims, "iss"));
    EXPECT_EQ(user.user, Text(claims, "sub"));
    EXPECT_GT(claims["exp"].GetInt64(), claims["iat"].GetInt64());
    EXPECT_NE(std::string::npos, claimsText.find(user.attributes)) << claimsText;
  }
}

TEST_F(DevIdpTest, BadInputGetsAJsonErrorAndTheTestControlShapesAnswers) {
  DevIdpSession idp(m_folder.path(), {"--test-control"});
  ASSERT_TRUE(idp.Running());
  const struct {
    std::string form;
    long status;
  } bad[] = {{"grant_type=refresh_token&x=" + std::string(65 * 1024, 'a'), 413},
             {"grant_type=refresh_token&refresh_token=%4", 400},
             {"grant_type=refresh_token&grant_type=refresh_token", 400},
             {"grant_type=refresh_token&client_id=%FF&refresh_token=x", 400},
             {"grant_type=authorization_code&code=x", 400},
             {"grant_type=password", 400},
             {"", 400}};
  for (const auto& input : bad) {
    const HttpAnswer answer = idp.Post(kTokenPath, input.form);
    EXPECT_EQ(input.status, answer.status) << input.form.substr(0, 60);
    EXPECT_NE("", Text(Json(answer.body), "error")) << input.form.substr(0, 60);
  }
  const HttpAnswer wrongMethod = idp.Get(kTokenPath);
  EXPECT_EQ(405, wrongMethod.status);
  EXPECT_NE("", Text(Json(wrongMethod.body), "error"));

  idp.Post("/_test/next-token-answer", "status=503&body=" + Encode(R"({"forced":1})"));
  EXPECT_EQ(503, idp.Post(kTokenPath, "grant_type=refresh_token").status);
  EXPECT_EQ(400, idp.Post(kTokenPath, "grant_type=refresh_token").status) << "forced once only";

  idp.Post("/_test/shape-next-answer", "cut_after=10");
  const HttpAnswer cut = idp.Post(kTokenPath, "grant_type=password");
  EXPECT_EQ(CURLE_PARTIAL_FILE, cut.result);
  EXPECT_EQ(10u, cut.body.size());
  idp.Post("/_test/shape-next-answer", "piece_size=7");
  const HttpAnswer pieces = idp.Post(kTokenPath, "grant_type=password");
  EXPECT_EQ("invalid_request", Text(Json(pieces.body), "error"));

  const std::string lastForm = idp.Get("/_test/last-form").body;
  EXPECT_NE(std::string::npos, lastForm.find(R"({"name":"grant_type","value":"password"})")) << lastForm;
}

}  // namespace
