#include "token_signer.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/x509.h>

#include <memory>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "encoding.h"

namespace devidp {
namespace {

std::string PublicKeyDer(EVP_PKEY* key) {
  unsigned char* der = nullptr;
  const int length = i2d_PUBKEY(key, &der);
  std::string bytes(reinterpret_cast<const char*>(der), static_cast<size_t>(length > 0 ? length : 0));
  OPENSSL_free(der);
  return bytes;
}

std::string KeyParameter(EVP_PKEY* key, const char* name) {
  BIGNUM* number = nullptr;
  if (EVP_PKEY_get_bn_param(key, name, &number) != 1) return "";
  std::string bytes(static_cast<size_t>(BN_num_bytes(number)), '\0');
  BN_bn2bin(number, reinterpret_cast<unsigned char*>(bytes.data()));
  BN_free(number);
  return Base64Url(bytes);
}

}  // namespace

TokenSigner::TokenSigner(EVP_PKEY* key) : m_key(key), m_keyId(Base64Url(Sha256(PublicKeyDer(key))).substr(0, 16)) {}

std::string TokenSigner::Sign(const std::string& claimsJson) const {
  {
    std::lock_guard<std::mutex> lock(m_lastMutex);
    if (claimsJson == m_lastClaims) return m_lastToken;
  }
  std::string token = SignNow(claimsJson);
  if (token.empty()) return token;
  std::lock_guard<std::mutex> lock(m_lastMutex);
  m_lastClaims = claimsJson;
  m_lastToken = token;
  return token;
}

std::string TokenSigner::SignNow(const std::string& claimsJson) const {
  const std::string header = "{\"alg\":\"RS256\",\"kid\":\"" + m_keyId + "\",\"typ\":\"JWT\"}";
  const std::string signingInput = Base64Url(header) + "." + Base64Url(claimsJson);
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  size_t length = 0;
  if (EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, m_key) != 1 ||
      EVP_DigestSign(context.get(), nullptr, &length,
                     reinterpret_cast<const unsigned char*>(signingInput.data()), signingInput.size()) != 1) {
    return "";
  }
  std::string signature(length, '\0');
  if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                     reinterpret_cast<const unsigned char*>(signingInput.data()), signingInput.size()) != 1) {
    return "";
  }
  signature.resize(length);
  return signingInput + "." + Base64Url(signature);
}

std::string TokenSigner::JwksJson() const {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
  json.StartObject();
  json.Key("keys");
  json.StartArray();
  json.StartObject();
  for (const auto& [name, value] : {std::pair<const char*, std::string>{"kty", "RSA"},
                                    {"use", "sig"},
                                    {"alg", "RS256"},
                                    {"kid", m_keyId},
                                    {"n", KeyParameter(m_key, OSSL_PKEY_PARAM_RSA_N)},
                                    {"e", KeyParameter(m_key, OSSL_PKEY_PARAM_RSA_E)}}) {
    json.Key(name);
    json.String(value.c_str());
  }
  json.EndObject();
  json.EndArray();
  json.EndObject();
  return buffer.GetString();
}

}  // namespace devidp
