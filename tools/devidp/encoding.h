// Byte encodings, digests and random secrets of the identity provider.
#pragma once

#include <string>

namespace devidp {

// `count` bytes from the operating system's random source.
std::string RandomBytes(size_t count);

// Standard Base64 with padding, and the URL-safe form without padding.
std::string Base64(const std::string& bytes);
std::string Base64Url(const std::string& bytes);

// Percent-encodes every byte except the unreserved letters, digits and "-._~".
std::string PercentEncode(const std::string& text);

std::string Sha256(const std::string& bytes);
std::string Sha256Hex(const std::string& bytes);

bool IsUtf8(const std::string& text);

// A fresh code or token: `kind`, then random text that always holds "!", "+", "/" and
// "=", so that a partner which forgets to encode it in an address or a form breaks.
std::string NewSecret(const std::string& kind);

}  // namespace devidp
