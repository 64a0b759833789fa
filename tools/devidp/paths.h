// The addresses the provider answers on: the paths the desktop client's deployment
// constants point at, and the registered redirect address of that client.
#pragma once

namespace devidp {

inline constexpr char kLoginPath[] = "/identity/idplogin";
inline constexpr char kAuthorizationPagePath[] = "/identity/setup/secur/RemoteAccessAuthorizationPage.apexp";
inline constexpr char kTokenPath[] = "/identity/services/oauth2/token";
inline constexpr char kCaBundlePath[] = "/ca/cacert.pem";
inline constexpr char kDiscoveryPath[] = "/.well-known/openid-configuration";
inline constexpr char kJwksPath[] = "/identity/id/keys";
inline constexpr char kTestControlPrefix[] = "/_test/";
inline constexpr char kPageShownPath[] = "/_test/page-shown";

inline constexpr char kRegisteredRedirectUri[] = "https://localhost:8090/login";

}  // namespace devidp
