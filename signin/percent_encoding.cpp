#include "percent_encoding.h"

#include <cctype>
#include <cstring>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsUnreserved(unsigned char byte) { return std::isalnum(byte) || std::strchr("-._~", byte); }

bool SplitsTrackingQuery(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || (byte && std::strchr("&=#+%", byte));
}

std::string Encode(const std::string& value, bool (*mustEncode)(unsigned char)) {
  std::string encoded;
  encoded.reserve(value.size());
  for (const char ch : value) {
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (!mustEncode(byte)) {
      encoded += ch;
      continue;
    }
    encoded += '%';
    encoded += kHexDigits[byte >> 4];
    encoded += kHexDigits[byte & 0x0F];
  }
  return encoded;
}

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

}  // namespace

std::string FormEncode(const std::string& value) {
  return Encode(value, [](unsigned char byte) { return !IsUnreserved(byte); });
}

std::string TrackingEncode(const std::string& value) { return Encode(value, SplitsTrackingQuery); }

std::string PercentDecode(const std::string& text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    const int high = at + 2 < text.size() && text[at] == '%' ? HexValue(text[at + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[at + 2]) : -1;
    if (low < 0) {
      decoded += text[at];
      continue;
    }
    decoded += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return decoded;
}
