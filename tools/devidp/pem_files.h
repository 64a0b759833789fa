// PEM files of the data folder. Files are written whole and private (0600): a temporary
// file renamed over the old one, so a crash never leaves half a key behind.
#pragma once

#include <string>

#include "openssl_handles.h"

namespace devidp {

// Null when the file is missing or holds no readable PEM object of that kind.
X509Ptr ReadCertificate(const std::string& path);
EvpKeyPtr ReadPrivateKey(const std::string& path);

bool WriteCertificate(const std::string& path, X509* certificate);
bool WritePrivateKey(const std::string& path, EVP_PKEY* key);

std::string CertificatePem(X509* certificate);

}  // namespace devidp
