// Everything the routes share: configuration, accounts, grants, keys, test switches.
#pragma once

#include <string>

#include "grant_store.h"
#include "test_switches.h"
#include "token_signer.h"
#include "users.h"

namespace devidp {

struct Provider {
  Provider(EVP_PKEY* signingKey, bool testControl) : grants(testControl), signer(signingKey) {}

  std::string clientId;
  std::string issuer;    // "https://host:port", as clients reach the provider
  std::string caBundle;  // the bundle served at /ca/cacert.pem
  bool autoSubmit = false;
  bool reportPageLoads = false;  // the login page reports its load event to the test control
  UserDirectory users;
  GrantStore grants;
  TestSwitches switches;
  TokenSigner signer;
};

}  // namespace devidp
