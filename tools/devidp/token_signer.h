// RS256 JSON Web Tokens and the JWKS document that lets a client verify them.
#pragma once

#include <openssl/evp.h>

#include <string>

namespace devidp {

class TokenSigner {
 public:
  // `key` is an RSA private key owned by the caller; it outlives the signer.
  explicit TokenSigner(EVP_PKEY* key);

  // header.claims.signature, each part base64url; `claimsJson` is one JSON object.
  std::string Sign(const std::string& claimsJson) const;

  // {"keys":[{...the public key...}]}
  std::string JwksJson() const;

  const std::string& KeyId() const { return m_keyId; }

 private:
  EVP_PKEY* m_key;
  std::string m_keyId;
};

}  // namespace devidp
