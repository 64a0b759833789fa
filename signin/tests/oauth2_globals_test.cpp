// The login address and the deployment values it is made of.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CCorvexOAuth2Globals.h"
#include "corvex_deployment.h"

using Globals = CCorvexOAuth2Globals;

TEST(LoginAddressTest, FullLoginAddressFromTheConstants) {
  // As the sign-in builds it; insertion order differs from key order on purpose.
  std::map<std::wstring, std::wstring> params;
  params[L"response_type"] = L"code";
  params[L"redirect_uri"] = Globals::REDIRECT_URI;
  params[L"code_challenge_method"] = L"S256";
  params[L"code_challenge"] = L"E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM";
  params[L"client_id"] = Globals::CLIENT_ID;
  params[L"app"] = Globals::APP_NAME;
  EXPECT_EQ(Globals::BuildURL(Globals::AUTH_URI, params),
            L"https://" CORVEX_IDP_HOST "/identity/idplogin?app=tamberlo&client_id=" CORVEX_CLIENT_ID
            "&code_challenge=E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM&code_challenge_method=S256"
            "&redirect_uri=https://localhost:8090/login&response_type=code&");
}

TEST(LoginAddressTest, EdgeCases) {
  EXPECT_EQ(Globals::BuildURL(L"B", {{L"b", L"2"}, {L"a", L"1"}}), L"B?a=1&b=2&");
  EXPECT_EQ(Globals::BuildURL(L"", {{L"a", L"1"}}), L"");
  EXPECT_EQ(Globals::BuildURL(L"https://h/p", {}), L"https://h/p?");
  EXPECT_EQ(Globals::BuildURL(L"B", {{L"q", L"a b&c=d"}}), L"B?q=a b&c=d&");  // nothing encoded
}

TEST(DeploymentTest, ClientIdFitsUnencodedIntoAddresses) {
  const std::wstring id = Globals::CLIENT_ID;
  EXPECT_EQ(id.size(), 85u);
  for (wchar_t c : id) EXPECT_TRUE(std::iswalnum(c) || c == L'.' || c == L'_') << static_cast<int>(c);
  EXPECT_EQ(Globals::API_URI, "https://" CORVEX_IDP_HOST "/identity/services/oauth2/token");
  EXPECT_EQ(Globals::PINGID_URI, L"https://" CORVEX_SSO_HOST "/");
}
