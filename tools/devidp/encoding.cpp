#include "encoding.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace devidp {

std::string RandomBytes(size_t count) {
  std::string bytes(count, '\0');
  if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(count)) != 1) {
    std::fputs("corvex-devidp: the random source failed\n", stderr);
    std::abort();
  }
  return bytes;
}

std::string Base64(const std::string& bytes) {
  std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                     reinterpret_cast<const unsigned char*>(bytes.data()),
                                     static_cast<int>(bytes.size()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string Base64Url(const std::string& bytes) {
  std::string text = Base64(bytes);
  while (!text.empty() && text.back() == '=') text.pop_back();
  for (char& c : text) {
    if (c == '+') c = '-';
    if (c == '/') c = '_';
  }
  return text;
}

std::string PercentEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 15];
    }
  }
  return encoded;
}

std::string Sha256(const std::string& bytes) {
  unsigned char digest[SHA256_DIGEST_LENGTH];
  SHA256(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
  return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}

std::string Sha256Hex(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : Sha256(bytes)) {
    hex += kHex[c >> 4];
    hex += kHex[c & 15];
  }
  return hex;
}

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    unsigned long point = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, point = lead & 0x07;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, point = lead & 0x0F;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, point = lead & 0x1F;
    } else if (lead >= 0x80) {
      return false;
    }
    if (extra > text.size() - i - 1) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    const bool overlong = (extra == 2 && point < 0x800) || (extra == 3 && point < 0x10000);
    if (overlong || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::string NewSecret(const std::string& kind) {
  // Base64 of 16 bytes always ends in "==".
  return kind + "!" + Base64(RandomBytes(16)) + "+/" + Base64(RandomBytes(16));
}

}  // namespace devidp
