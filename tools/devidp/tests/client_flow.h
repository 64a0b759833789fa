// The desktop client's side of a sign-in against corvex-devidp, shaped as that client
// sends it: the login address, the form post, the redirects, the token request bodies.
#pragma once

#include <map>
#include <string>

#include "corvex_deployment.h"
#include "devidp_session.h"

namespace devidp_test {

inline const std::string kClientId = CORVEX_CLIENT_ID;
inline const std::string kRedirectUri = "https://localhost:8090/login";
inline const std::string kLoginPath = "/identity/idplogin";
inline const std::string kTokenPath = "/identity/services/oauth2/token";
// The verifier and challenge of the PKCE standard's own example.
inline const std::string kVerifier = "dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk";
inline const std::string kChallenge = "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM";

using Params = std::map<std::string, std::string>;

Params LoginParams();

// Ascending names, values as they are, a trailing "&".
std::string Query(const Params& params);

// Signs `user` in by the form and follows the two redirects; the final address, or ""
// when a step did not redirect.
std::string SignIn(const DevIdpSession& idp, const std::string& user, const std::string& password);

// The code as the client cuts it from the redirect address: still encoded.
std::string CodeIn(const std::string& address);

// Token request bodies: plain concatenation, values as the caller gives them.
std::string ExchangeForm(const std::string& code, const std::string& verifier);
std::string RefreshForm(const std::string& refreshToken);

}  // namespace devidp_test
