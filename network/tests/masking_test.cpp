// MaskSecrets over single texts and over streams cut at awkward places.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CCorvexNetworkUtils.h"

namespace {

TEST(MaskSecrets, HidesEveryValueAndNothingElse) {
  struct Case {
    std::vector<std::string> chunks;  // one stream
    std::string expected;             // the masked chunks, joined
  } cases[] = {
      {{"Authorization: Bearer abc\r\nHost: x\r\n"}, "Authorization: ***\r\nHost: x\r\n"},
      {{"proxy-authorization: Basic dXNlcjpwYXNz\r\n"}, "proxy-authorization: ***\r\n"},
      {{"grant_type=authorization_code&code=abc&code_verifier=def&client_id=x"},
       "grant_type=authorization_code&code=***&code_verifier=***&client_id=x"},
      {{"user=a&password=p%40ss&client_secret=s"}, "user=a&password=***&client_secret=***"},
      {{"GET /cb?state=1&code=abc HTTP/1.1"}, "GET /cb?state=1&code=*** HTTP/1.1"},
      {{R"({"access_token" : "a\"b", "expires_in": 3600, "id_token":"x","refresh_token":"r"})"},
       R"({"access_token" : "***", "expires_in": 3600, "id_token":"***","refresh_token":"***"})"},
      {{"authcode=1&codes=2&barcode=3&x_access_token=4"}, "authcode=1&codes=2&barcode=3&x_access_token=4"},
      {{"code=ab", "cd&x=1"}, "code=******&x=1"},
      {{"&refresh_to", "ken=xyz&a=b"}, "&refresh_token=***&a=b"},
      {{R"({"id_token":"ab\)", R"("cd"})"}, R"({"id_token":"******"})"},
      {{"Proxy-Authorization: Bas", "ic Zm9v\r\nX: 1"}, "Proxy-Authorization: ******\r\nX: 1"},
      {{R"({"access_token")", R"(: "tok"})"}, R"({"access_token": "***"})"},
  };
  for (const Case& c : cases) {
    SecretMaskState state;
    std::string joined;
    for (const std::string& chunk : c.chunks) joined += CCorvexNetworkUtils::MaskSecrets(chunk, &state).str();
    EXPECT_EQ(joined, c.expected);
  }
}

}  // namespace
