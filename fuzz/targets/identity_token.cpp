// Identity tokens: any text as the "id_token" of an answer, decoded without verification
// and its profile claims stored (into a hive in a private folder).
#include <string>

#include "CCorvexOAuth2Globals.h"
#include "fuzz_support.h"
#include "identity_token.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  static const bool privateHive = !fuzzing::PrivateFolder().empty();
  Require(privateHive, "the hive lives in a private folder");
  const std::string token(reinterpret_cast<const char*>(data), size);
  std::string claims, error;
  if (DecodeIdentityToken(token, claims, error))
    Require(claims.find('\0') == std::string::npos && error.empty(), "decoded claims are a whole text");
  else
    Require(!error.empty(), "a refused token says why");
  CCorvexOAuth2Globals document;
  Require(StoreIdentityProfile(document, token) == 1, "the profile claims are stored");
  return 0;
}
