// What clients fetch before signing in: the CA bundle, the OpenID configuration and the
// key set that verifies identity tokens.
#pragma once

#include "provider.h"
#include "router.h"

namespace devidp {

// The bundle served at /ca/cacert.pem: the marker line the client checks for, then the
// CA certificate.
std::string CaBundle(const std::string& caPem);

void AddDiscoveryRoutes(Router& router, Provider& provider);

}  // namespace devidp
