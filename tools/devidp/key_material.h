// Loads the provider's CA, server certificate and signing key from the data folder,
// making whatever is missing on the first start.
#pragma once

#include <string>

#include "openssl_handles.h"

namespace devidp {

struct KeyMaterial {
  X509Ptr caCertificate;
  EvpKeyPtr caKey;
  X509Ptr serverCertificate;
  EvpKeyPtr serverKey;
  EvpKeyPtr signingKey;
};

// The CA alone, which clients install as their trust anchor.
extern const char kCaFileName[];

// A CA that is present but damaged is refused, not replaced: clients trust it already.
// The server certificate is issued again when it no longer fits the CA or `hostName`.
bool LoadOrMakeKeyMaterial(const std::string& folder, const std::string& hostName, KeyMaterial& keys,
                           std::string& error);

}  // namespace devidp
