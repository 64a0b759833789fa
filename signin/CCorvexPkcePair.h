// The PKCE pair of one sign-in (S256): a code verifier and its code challenge.
#pragma once

#include <string>

class CCorvexPkcePair {
 public:
  // Fills both from 40 fresh random bytes. 1 on success; 0 with both empty when the
  // random source or the digest fails.
  int Generate();

  // URL-safe Base64, unpadded, of SHA-256 of the verifier's characters; empty when
  // the digest cannot be made.
  static std::string ChallengeFor(const std::string& verifier);

  std::string m_codeVerifier;
  std::string m_codeChallenge;
};
