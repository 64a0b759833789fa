// The identity token of a token answer: its claims, read without verifying it, and the
// user's profile taken from them.
#pragma once

#include <string>

class CCorvexOAuth2Globals;

// Splits a compact token at its first two ".", decodes header and claims (URL-safe
// Base64, unpadded) and checks that both are JSON objects. true with the claims' bytes
// as they were encoded; false with the reason.
bool DecodeIdentityToken(const std::string& token, std::string& claims, std::string& error);

// Stores "federatedId" and "companyName" of the claims' "custom_attributes"; a member
// that is missing leaves its stored value. A token that cannot be decoded is logged
// and leaves the profile. Parses the claims into `document`. 0 when a write failed.
int StoreIdentityProfile(CCorvexOAuth2Globals& document, const std::string& idToken);
