// Percent-encoding of the values the sign-in puts into request forms and tracking texts.
#pragma once

#include <string>

// Every byte but the unreserved ones (letters, digits, "-", ".", "_", "~") as %XX: a
// value of an application/x-www-form-urlencoded body.
std::string FormEncode(const std::string& value);

// "&", "=", "#", "+", "%" and control bytes as %XX, everything else as it is: a value
// that must not split or end a tracking query.
std::string TrackingEncode(const std::string& value);

// Each well-formed %XX as its byte, once; anything else, "+" included, as it is.
std::string PercentDecode(const std::string& text);
