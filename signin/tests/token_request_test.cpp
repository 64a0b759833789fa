// The token requests against the development identity provider: the form it receives,
// what lands in the token store, refusals, answers in pieces or cut, failures and their
// boxes, and no secret in the log or the hive.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <filesystem>
#include <sstream>

#include "Security.h"
#include "client_flow.h"
#include "test_support.h"

using namespace devidp_test;
using testing_support::ReadWholeFile;

namespace {

const std::string kProblemBox =
    "box Authentication problem - If the problem remains, please contact your local Halvorn support|Error";

std::string Sha256(const std::string& bytes) {
  unsigned char digest[32];
  CString error;
  EXPECT_TRUE(CCSHA256(CString(bytes), digest, error));
  std::string hex;
  const char digits[] = "0123456789abcdef";
  for (const unsigned char byte : digest) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

// As the provider reports a secret it received.
std::string Received(const std::string& secret) { return "sha256:" + Sha256(secret); }

class TokenRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(tmp / "user");
    std::filesystem::create_directories(tmp / "prog");
    std::filesystem::create_directories(tmp / "certs");
    std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/token_probe", tmp / "prog/token_probe");
    ASSERT_TRUE(testing_support::WriteWholeFile(
        tmp / "prog/CorvexV0.inf", "[Config]\nCurlTimeout=20\n[DIRECTORIES]\nTRACKINGLOG=" + (tmp / "logs") +
                                       "\nCERT=" + (tmp / "certs") + "\n[LOG]\nLogFileDeep=1\n"));
    ASSERT_TRUE(idp.Running());
    std::filesystem::copy_file(idp.CaFile(), tmp / "certs/cacert.pem");
  }

  // The probe's output lines for these operations.
  std::vector<std::string> Probe(const std::vector<std::string>& args) {
    const auto result = testing_support::RunProgram(tmp / "prog/token_probe", args, {}, 60);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    std::vector<std::string> lines;
    std::istringstream in(result.output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::vector<std::string> Exchange(const std::vector<std::string>& before = {}) {
    std::vector<std::string> args = before;
    for (const std::string& arg : {std::string("exchange"), Token(), CodeIn(SignIn(idp, "demo", "demo")), kVerifier})
      args.push_back(arg);
    for (const char* arg : {"store", "boxes"}) args.push_back(arg);
    return Probe(args);
  }

  std::vector<std::string> Refresh() { return Probe({"refresh", Token(), "store", "boxes"}); }

  std::string Token() const { return idp.Url(kTokenPath); }
  void Control(const std::string& path, const std::string& form) {
    ASSERT_EQ(200, idp.Post("/_test/" + path, form).status) << path;
  }
  std::string LogText() const { return ReadWholeFile(tmp / "logs/Norvasta - Tamberlo.log"); }

  // The stored value of `name` in probe output, or "(none)".
  static std::string Stored(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines)
      if (line.rfind("store " + name + "=", 0) == 0) return line.substr(7 + name.size());
    return "(none)";
  }

  testing_support::TempFolder tmp;
  DevIdpSession idp{tmp / "idp", {"--test-control"}};
};

TEST_F(TokenRequestTest, ExchangeSendsEncodedFieldsAndStoresTheIssuedTokensGivenInPieces) {
  Control("shape-next-answer", "piece_size=200");
  const std::string code = CodeIn(SignIn(idp, "demo", "demo"));
  const auto lines = Probe({"exchange", Token(), code, kVerifier, "store", "boxes"});
  ASSERT_EQ(lines.at(0), "exchange 200");
  rapidjson::Document form;
  form.Parse(idp.Get("/_test/last-form").body.c_str());
  std::vector<std::pair<std::string, std::string>> fields;
  for (const auto& field : form["fields"].GetArray())
    fields.emplace_back(field["name"].GetString(), field["value"].GetString());
  const std::vector<std::pair<std::string, std::string>> expected = {{"grant_type", "authorization_code"},
                                                                     {"code", Received(Decode(code))},
                                                                     {"redirect_uri", kRedirectUri},
                                                                     {"client_id", kClientId},
                                                                     {"code_verifier", Received(kVerifier)}};
  EXPECT_EQ(fields, expected);
  const std::string issued = idp.Get("/_test/issued").body;
  for (const char* name : {"access_token", "refresh_token"})
    EXPECT_NE(issued.find(Sha256(Stored(lines, name))), std::string::npos) << name;
  EXPECT_EQ(Stored(lines, "token_type"), "Bearer");
  EXPECT_EQ(Stored(lines, "expires_in"), "7200");
  EXPECT_EQ(Stored(lines, "federatedId"), "F0012345");
  EXPECT_EQ(lines.size(), 7u) << "no box";
}

TEST_F(TokenRequestTest, RefreshRenewsTheAccessTokenAndARefusalEmptiesOnlyIt) {
  EXPECT_EQ(Refresh().at(0), "refresh 400") << "no stored refresh token";
  const std::string sent = idp.Get("/_test/last-form").body;
  EXPECT_NE(sent.find(R"({"name":"refresh_token","value":")" + Received("") + "\"}"), std::string::npos) << sent;

  const auto first = Exchange();
  ASSERT_EQ(first.at(0), "exchange 200");
  const auto renewed = Refresh();
  EXPECT_EQ(renewed.at(0), "refresh 200");
  EXPECT_NE(Stored(renewed, "access_token"), Stored(first, "access_token"));
  EXPECT_EQ(Stored(renewed, "refresh_token"), Stored(first, "refresh_token"));

  Control("expire-refresh-tokens", "");
  auto refused = Refresh();
  EXPECT_EQ(refused.at(0), "refresh 400");
  EXPECT_EQ(Stored(refused, "access_token"), "");
  EXPECT_EQ(Stored(refused, "refresh_token"), Stored(first, "refresh_token"));

  Probe({"put", "access_token", "kept"});
  Control("next-token-answer",
          "status=400&body=" + Encode(R"({"error":"invalid_grant","error_description":"revoked"})"));
  refused = Refresh();
  EXPECT_EQ(refused.at(0), "refresh 400");
  EXPECT_EQ(Stored(refused, "access_token"), "");
  EXPECT_EQ(refused.size(), 7u) << "a refresh shows no box";
}

TEST_F(TokenRequestTest, FailuresShowTheirBoxAndStoreNothingNew) {
  struct Case {
    const char* name;
    std::string control, form;
    std::vector<std::string> before;
    std::string result, logText;
  } cases[] = {
      {"400", "next-token-answer", "status=400&body=" + Encode(R"({"error":"invalid_grant"})"), {}, "exchange 400",
       "The request could not be processed by the server."},
      {"404 with a token", "next-token-answer", "status=404&body=" + Encode(R"({"access_token":"x"})"), {}, "exchange 404",
       "Resource not found."},
      {"500", "next-token-answer", "status=500&body=", {}, "exchange 500", "Internal Server Error."},
      {"not JSON", "next-token-answer", "status=200&body=" + Encode(R"({"access_token":"x")"), {}, "exchange 0",
       "Internal Server Error."},
      {"cut", "shape-next-answer", "cut_after=40", {}, "exchange 0", "Internal Server Error."},
      {"unwritable hive", "", "", {"readonly"}, "exchange 0", "Internal Server Error."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Probe({"put", "access_token", "old"});
    if (!c.control.empty()) Control(c.control, c.form);
    const auto lines = Exchange(c.before);
    EXPECT_EQ(lines.at(0), c.result);
    EXPECT_EQ(Stored(lines, "access_token"), "old");
    EXPECT_EQ(lines.back(), kProblemBox);
    EXPECT_NE(LogText().find("U - Error - Authentication error: " + c.logText), std::string::npos);
  }
}

TEST_F(TokenRequestTest, WithoutNetworkTheExchangeShowsNoConnection) {
  const std::string code = CodeIn(SignIn(idp, "demo", "demo")), url = Token();
  idp.Stop();
  const auto lines = Probe({"offline", "exchange", url, code, kVerifier, "boxes"});
  EXPECT_EQ(lines, (std::vector<std::string>{"exchange 0", "box No Internet connexion|Error"}));
}

TEST_F(TokenRequestTest, NoSecretReachesTheLogOrTheHive) {
  const std::string code = CodeIn(SignIn(idp, "demo", "demo"));
  const auto lines = Probe({"exchange", Token(), code, kVerifier, "refresh", Token(), "store"});
  Control("expire-refresh-tokens", "");
  Probe({"refresh", Token()});
  std::vector<std::string> secrets = {Decode(code), kVerifier};
  for (const char* name : {"access_token", "refresh_token"}) secrets.push_back(Stored(lines, name));
  std::string files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tmp / "user"))
    if (entry.is_regular_file()) files += ReadWholeFile(entry.path().string());
  files += LogText();
  ASSERT_NE(LogText().find("getAccessToken: CURLOPT_POSTFIELDS"), std::string::npos);
  for (const std::string& secret : secrets) {
    ASSERT_GT(secret.size(), 20u);
    for (const std::string& form : {secret, Encode(secret), secret.substr(secret.size() - 20)})
      EXPECT_EQ(files.find(form), std::string::npos) << form;
  }
}

}  // namespace
