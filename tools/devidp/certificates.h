// The development CA, the server certificate it signs, and the keys of both.
#pragma once

#include <string>

#include "openssl_handles.h"

namespace devidp {

EvpKeyPtr NewEcKey();   // P-256, for the CA and the server: quick handshakes
EvpKeyPtr NewRsaKey();  // 2048 bits, for RS256 token signatures

// A self-signed CA certificate, valid for ten years.
X509Ptr MakeCaCertificate(EVP_PKEY* caKey);

// A server certificate for IP 127.0.0.1, "localhost" and `hostName` when it is a name,
// signed by the CA, valid for 397 days (the most browsers accept).
X509Ptr MakeServerCertificate(EVP_PKEY* serverKey, X509* ca, EVP_PKEY* caKey,
                              const std::string& hostName);

// True when `certificate` was signed by `caKey`, names `hostName` and stays valid for
// at least another day.
bool ServerCertificateFits(X509* certificate, EVP_PKEY* caKey, const std::string& hostName);

}  // namespace devidp
