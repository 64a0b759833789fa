// Token answers and identity tokens as the handler meets them, in this process with the
// token store in a temporary home: bad input of every kind, exact integers, the profile.
#include <gtest/gtest.h>
#include <unistd.h>

#include "Base64.h"
#include "CCorvexOAuth2Globals.h"
#include "identity_token.h"
#include "test_support.h"
#include "token_answer.h"
#include "token_response.h"

namespace {

using Globals = CCorvexOAuth2Globals;

std::string Part(const std::string& bytes) {
  std::string text = base64URL_encode(reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<unsigned int>(bytes.size()));
  return text.erase(text.find_last_not_of('=') + 1);
}

std::string IdToken(const std::string& claims) { return Part(R"({"alg":"RS256"})") + "." + Part(claims) + ".c2ln"; }

std::string Answer(const std::string& idToken) {
  return R"({"access_token":"new access","refresh_token":"new refresh","expires_in":3600,"id_token":")" + idToken +
         "\"}";
}

std::string Stored(const char* name) {
  CString value;
  return Globals::DecryptData(name, value) ? value.str() : "(none)";
}

// Without a settings file the log goes to a folder of the working directory: a
// temporary one for this program.
class WorkInTemporaryFolder : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(chdir(m_folder.path().c_str()), 0); }

 private:
  testing_support::TempFolder m_folder;
};
const auto* const kWorkFolder = ::testing::AddGlobalTestEnvironment(new WorkInTemporaryFolder);

class TokenAnswerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(tmp.path());
    for (const char* name : {"access_token", "refresh_token", "federatedId", "companyName"})
      Globals::EncryptData(name, "old");
  }
  testing_support::TempFolder tmp;
};

TEST(IdentityTokenDecoder, MalformedTokensAreRefusedWellFormedClaimsPassUnchanged) {
  const std::string header = Part(R"({"alg":"none"})");
  const std::string claims = " {\"a\":1,\"a\":[2] } ";
  std::string decoded, error;
  ASSERT_TRUE(DecodeIdentityToken(header + "." + Part(claims) + ".", decoded, error)) << error;
  EXPECT_EQ(decoded, claims);
  const std::string malformed[] = {
      "",
      "no dots",
      header + "." + Part("{}"),
      "..",
      "." + Part("{}") + ".",
      header + "." + Part("{}") + "=.",
      header + "." + Part("{}") + "+.",
      header + ".e/30.",
      header + "." + Part("{}") + ".sig=",
      header + "." + Part("{}") + "A.",
      Part("[]") + "." + Part("{}") + ".",
      header + "." + Part("\"claims\"") + ".",
      header + "." + Part("{} {}") + ".",
      header + "." + Part(std::string("{\"a\":\"\0\"}", 9)) + ".",
      header + "." + Part(std::string(100000, '[')) + ".",
      // Numbers past the range of a double.
      header + "." + Part(R"({"exp":17E6712202})") + ".",
      Part(R"({"alg":"none","x":-1e309})") + "." + Part("{}") + ".",
      header + "." + std::string(1024 * 1024, 'A') + ".",
  };
  for (const std::string& token : malformed) {
    error.clear();
    EXPECT_FALSE(DecodeIdentityToken(token, decoded, error)) << token.substr(0, 80);
    EXPECT_FALSE(error.empty());
  }
}

TEST_F(TokenAnswerTest, BadAnswersStoreNothing) {
  const std::string bad[] = {
      "",
      "not json",
      "[\"access_token\"]",
      R"({"access_token":7})",
      R"({"access_token":""})",
      R"({"access_token":"cut\u0000here"})",
      std::string("{\"access_token\":\"a\0b\"}", 20),
      R"({"access_token":"x"} trailing)",
      R"({"access_token":"x")",
      R"({"access_token":"x","nested":)" + std::string(100000, '['),
  };
  for (const std::string& body : bad) {
    EXPECT_EQ(StoreTokenAnswer(body, 200, TokenGrant::kCodeExchange), 0) << body.substr(0, 60);
    EXPECT_EQ(Stored("access_token"), "old");
  }
}

TEST_F(TokenAnswerTest, IntegersAreStoredAsExactDecimals) {
  struct Case {
    std::string json, stored;
  } cases[] = {{"42", "42"}, {"9007199254740993", "9007199254740993"}, {"-5000000000", "-5000000000"},
               {"18446744073709551615", "18446744073709551615"}};
  for (const Case& c : cases) {
    const std::string claims = R"({"custom_attributes":{"federatedId":)" + c.json + "}}";
    const std::string body = R"({"access_token":"a","expires_in":)" + c.json + R"(,"id_token":")" + IdToken(claims) + "\"}";
    EXPECT_EQ(StoreTokenAnswer(body, 200, TokenGrant::kCodeExchange), 1);
    EXPECT_EQ(Stored("expires_in"), c.stored);
    EXPECT_EQ(Stored("federatedId"), c.stored);
  }
}

TEST_F(TokenAnswerTest, TheProfileChangesOnlyWithAWellFormedTokenThatCarriesIt) {
  const std::string kept[] = {IdToken(R"({"custom_attributes":"F1"})"), IdToken(R"({"sub":"x"})"), "a.b",
                              IdToken(R"({"custom_attributes":{"federatedId":{"a":1}}})")};
  for (const std::string& idToken : kept) {
    Globals::EncryptData("access_token", "old");
    EXPECT_EQ(StoreTokenAnswer(Answer(idToken), 200, TokenGrant::kCodeExchange), 1) << idToken;
    EXPECT_EQ(Stored("access_token"), "new access");
    EXPECT_EQ(Stored("companyName"), "old");
  }
  EXPECT_EQ(Stored("federatedId"), "") << "a found object is stored as an empty text";
  const std::string claims = R"({"custom_attributes":{"federatedId":"F7","companyName":"Électrique & Co"}})";
  EXPECT_EQ(StoreTokenAnswer(Answer(IdToken(claims)), 200, TokenGrant::kCodeExchange), 1);
  EXPECT_EQ(Stored("federatedId"), "F7");
  EXPECT_EQ(Stored("companyName"), "Électrique & Co");
}

TEST_F(TokenAnswerTest, RefusalsEmptyOnlyTheAccessToken) {
  EXPECT_EQ(StoreTokenAnswer(R"({"error":"invalid_grant"})", 400, TokenGrant::kCodeExchange), 0);
  EXPECT_EQ(Stored("access_token"), "old") << "a refused code leaves the stored token";
  EXPECT_EQ(StoreTokenAnswer(R"({"error":"invalid_grant"})", 400, TokenGrant::kRefresh), 0);
  EXPECT_EQ(Stored("access_token"), "");
  Globals::EncryptData("access_token", "old");
  EXPECT_EQ(StoreTokenAnswer(R"({"error_description":"token validity expired"})", 401, TokenGrant::kRefresh), 0);
  EXPECT_EQ(Stored("access_token"), "");
  EXPECT_EQ(Stored("refresh_token"), "old");
}

TEST(TokenResponse, PiecesAreKeptUpToOneMebibyteOfTheLastResponse) {
  TokenResponse response;
  std::string piece(64 * 1024, 'x');
  char status[] = "HTTP/1.1 200 OK\r\n";
  EXPECT_EQ(TokenResponseWriter(piece.data(), 1, piece.size(), &response), piece.size());
  EXPECT_EQ(TokenResponseHeader(status, 1, sizeof(status) - 1, &response), sizeof(status) - 1);
  EXPECT_TRUE(response.body.empty()) << "a new response starts empty";
  for (int i = 0; i < 16; ++i) ASSERT_EQ(TokenResponseWriter(piece.data(), 1, piece.size(), &response), piece.size());
  EXPECT_EQ(TokenResponseWriter(piece.data(), 1, 1, &response), 0u);
  EXPECT_TRUE(response.tooLarge);
  EXPECT_EQ(TokenResponseWriter(piece.data(), 1, 1, nullptr), 0u);
}

}  // namespace
