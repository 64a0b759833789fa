// Owning handles for the OpenSSL objects the provider keeps.
#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>

namespace devidp {

struct X509Free {
  void operator()(X509* certificate) const { X509_free(certificate); }
};
struct EvpKeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};

using X509Ptr = std::unique_ptr<X509, X509Free>;
using EvpKeyPtr = std::unique_ptr<EVP_PKEY, EvpKeyFree>;

}  // namespace devidp
