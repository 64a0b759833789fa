// PKCE pair generation.
#include "Base64.h"
#include "CCorvexPkcePair.h"
#include "Security.h"
#include "bcrypt.h"
#include "winheap.h"

namespace {

const ULONG kVerifierBytes = 40;

std::string UnpaddedUrlBase64(const unsigned char* data, unsigned int length) {
  std::string text = base64URL_encode(data, length);
  text.erase(text.find_last_not_of('=') + 1);
  return text;
}

}  // namespace

std::string CCorvexPkcePair::ChallengeFor(const std::string& verifier) {
  unsigned char digest[32];
  CString error;
  if (!CCSHA256(CString(verifier), digest, error)) return std::string();
  return UnpaddedUrlBase64(digest, sizeof(digest));
}

int CCorvexPkcePair::Generate() {
  m_codeVerifier.clear();
  m_codeChallenge.clear();
  unsigned char random[kVerifierBytes];
  const NTSTATUS status = BCryptGenRandom(nullptr, random, kVerifierBytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (!BCRYPT_SUCCESS(status)) return 0;
  std::string verifier = UnpaddedUrlBase64(random, kVerifierBytes);
  SecureZeroMemory(random, sizeof(random));
  std::string challenge = ChallengeFor(verifier);
  if (challenge.empty()) return 0;
  m_codeVerifier = std::move(verifier);
  m_codeChallenge = std::move(challenge);
  return 1;
}
