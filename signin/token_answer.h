// What the token endpoint answered, stored in the token store.
#pragma once

#include <string>

enum class TokenGrant { kCodeExchange, kRefresh };

// Stores a complete answer. A refusal of the refresh token ("token validity expired",
// or a refresh answered 400 "invalid_grant") empties "access_token" and gives 0. A
// token answer needs "access_token" as a non-empty string: its other tokens and the
// identity token's profile are written first and "access_token" last, and nothing more
// after a failed write. 1 when every value of a token answer was stored, else 0.
int StoreTokenAnswer(const std::string& body, long status, TokenGrant grant);
