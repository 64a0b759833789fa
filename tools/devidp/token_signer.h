// RS256 JSON Web Tokens and the JWKS document that lets a client verify them.
#pragma once

#include <openssl/evp.h>

#include <mutex>
#include <string>

namespace devidp {

class TokenSigner {
 public:
  // `key` is an RSA private key owned by the caller; it outlives the signer.
  explicit TokenSigner(EVP_PKEY* key);

  // header.claims.signature, each part base64url; `claimsJson` is one JSON object.
  // The signature is deterministic, so the token of the same claims as last time is
  // handed out again without signing: refreshes within one second cost no RSA work.
  std::string Sign(const std::string& claimsJson) const;

  // {"keys":[{...the public key...}]}
  std::string JwksJson() const;

  const std::string& KeyId() const { return m_keyId; }

 private:
  std::string SignNow(const std::string& claimsJson) const;

  EVP_PKEY* m_key;
  std::string m_keyId;
  mutable std::mutex m_lastMutex;
  mutable std::string m_lastClaims;
  mutable std::string m_lastToken;
};

}  // namespace devidp
