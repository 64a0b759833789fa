// The two requests to the token endpoint at a given address; getAccessToken and
// getRefreshToken run them with the deployment's endpoint.
#pragma once

#include <string>

#include "afxstr.h"

// The authorization-code grant with the PKCE verifier. `code` is still query-encoded as
// it was cut from the redirect. The HTTP status; 0 when no answer came or a 200 answer
// was not completely stored. A failure shows its error box.
int ExchangeCodeAt(const std::string& url, const CString& code, const std::string& verifier);

// The refresh grant with the stored refresh token; no error box. The status as above.
int RefreshTokensAt(const std::string& url);
