// PKCE pairs: the RFC 7636 example, fresh pairs, and failures that leave both empty.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Base64.h"
#include "CCorvexPkcePair.h"
#include "injected_faults.h"

namespace {

bool UrlSafe(const std::string& text) {
  for (unsigned char c : text) {
    if (!std::isalnum(c) && c != '-' && c != '_') return false;
  }
  return true;
}

}  // namespace

TEST(PkceTest, Rfc7636AppendixB) {
  const unsigned char octets[32] = {116, 24,  223, 180, 151, 153, 224, 37,  79, 250, 96, 125, 216, 173, 187, 186,
                                    22,  212, 37,  77,  105, 214, 191, 240, 91, 88,  5,  88,  83,  132, 141, 121};
  std::string verifier = base64URL_encode(octets, sizeof(octets));
  verifier.erase(verifier.find_last_not_of('=') + 1);
  EXPECT_EQ(verifier, "dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk");
  EXPECT_EQ(CCorvexPkcePair::ChallengeFor(verifier), "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
}

TEST(PkceTest, GeneratedPairsAreFreshAndWellFormed) {
  injected_faults::Inject(injected_faults::Fault::kNone);
  std::set<std::string> verifiers;
  for (int i = 0; i < 20; ++i) {
    CCorvexPkcePair pair;
    ASSERT_EQ(pair.Generate(), 1);
    EXPECT_EQ(pair.m_codeVerifier.size(), 54u);
    EXPECT_EQ(pair.m_codeChallenge.size(), 43u);
    EXPECT_TRUE(UrlSafe(pair.m_codeVerifier)) << pair.m_codeVerifier;
    EXPECT_TRUE(UrlSafe(pair.m_codeChallenge)) << pair.m_codeChallenge;
    EXPECT_EQ(pair.m_codeChallenge, CCorvexPkcePair::ChallengeFor(pair.m_codeVerifier));
    EXPECT_EQ(base64URL_decode(pair.m_codeVerifier).size(), 40u);
    verifiers.insert(pair.m_codeVerifier);
  }
  EXPECT_EQ(verifiers.size(), 20u);
}

TEST(PkceTest, RandomOrDigestFailureLeavesBothEmpty) {
  for (auto fault :
       {injected_faults::Fault::kRandom, injected_faults::Fault::kOpenAlgorithm, injected_faults::Fault::kFinishHash}) {
    CCorvexPkcePair pair;
    injected_faults::Inject(injected_faults::Fault::kNone);
    ASSERT_EQ(pair.Generate(), 1);
    injected_faults::Inject(fault);
    EXPECT_EQ(pair.Generate(), 0);
    EXPECT_EQ(pair.m_codeVerifier, "");
    EXPECT_EQ(pair.m_codeChallenge, "");
  }
  injected_faults::Inject(injected_faults::Fault::kNone);
}
