// Base64 of RFC 4648: the standard alphabet and the URL-safe one. Both pad with "=".
// Decoding stops at the end, the first "=" or the first character outside its
// alphabet; a last group of 2 or 3 characters gives 1 or 2 bytes, a single one nothing.
#pragma once

#include <string>

std::string base64_encode(const unsigned char* data, unsigned int length);
std::string base64_decode(const std::string& text);
std::string base64URL_encode(const unsigned char* data, unsigned int length);
std::string base64URL_decode(const std::string& text);
