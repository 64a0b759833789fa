// One encoder and one decoder, each told its alphabet: safe on any number of threads.
#include "Base64.h"

namespace {

const char kStandardAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kUrlSafeAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string Encode(const unsigned char* data, unsigned int length, const char* alphabet) {
  std::string text;
  text.reserve((length + 2) / 3 * 4);
  unsigned int i = 0;
  for (; i + 3 <= length; i += 3) {
    const unsigned long group = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) text += alphabet[(group >> shift) & 63];
  }
  const unsigned int left = length - i;
  if (left == 0) return text;
  const unsigned long group = (data[i] << 16) | (left == 2 ? data[i + 1] << 8 : 0);
  text += alphabet[(group >> 18) & 63];
  text += alphabet[(group >> 12) & 63];
  text += left == 2 ? alphabet[(group >> 6) & 63] : '=';
  text += '=';
  return text;
}

// The character's place in the alphabet, or -1 where decoding stops. Only ASCII
// letters and digits are taken: bytes of 0x80 and up never count as letters.
int Position(unsigned char c, const char* alphabet) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == static_cast<unsigned char>(alphabet[62])) return 62;
  if (c == static_cast<unsigned char>(alphabet[63])) return 63;
  return -1;
}

std::string Decode(const std::string& text, const char* alphabet) {
  std::string bytes;
  unsigned long group = 0;
  int count = 0;
  for (unsigned char c : text) {
    const int position = Position(c, alphabet);
    if (position < 0) break;  // also "="
    group = (group << 6) | static_cast<unsigned long>(position);
    if (++count == 4) {
      bytes += static_cast<char>((group >> 16) & 0xff);
      bytes += static_cast<char>((group >> 8) & 0xff);
      bytes += static_cast<char>(group & 0xff);
      group = 0;
      count = 0;
    }
  }
  if (count >= 2) {
    group <<= 6 * (4 - count);
    bytes += static_cast<char>((group >> 16) & 0xff);
    if (count == 3) bytes += static_cast<char>((group >> 8) & 0xff);
  }
  return bytes;
}

}  // namespace

std::string base64_encode(const unsigned char* data, unsigned int length) {
  return Encode(data, length, kStandardAlphabet);
}

std::string base64_decode(const std::string& text) { return Decode(text, kStandardAlphabet); }

std::string base64URL_encode(const unsigned char* data, unsigned int length) {
  return Encode(data, length, kUrlSafeAlphabet);
}

std::string base64URL_decode(const std::string& text) { return Decode(text, kUrlSafeAlphabet); }
