// The PKCE pair of one sign-in (S256): a code verifier and its code challenge.
#pragma once

#include <string>

#include "afxstr.h"

class CCorvexPkcePair {
 public:
  // Fills both from 40 fresh random bytes. 1 on success; 0 with both empty when the
  // random source or the digest fails.
  int Generate();

  // URL-safe Base64, unpadded, of SHA-256 of the verifier's characters; empty when
  // the digest cannot be made.
  static std::string ChallengeFor(const std::string& verifier);

  // Exchanges the authorization code, as cut from the redirect address, for tokens
  // with this pair's verifier, and stores them. 200 when they were stored; else the
  // HTTP status (0 when no answer came or a 200 answer was not stored), after the
  // error box.
  int getAccessToken(CString code);

  std::string m_codeVerifier;
  std::string m_codeChallenge;
};
