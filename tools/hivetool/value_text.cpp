#include "value_text.h"

#include <strings.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hivetool {
namespace {

struct TypeEntry {
  DWORD type;
  const char* name;
};

const TypeEntry kTypes[] = {
    {REG_NONE, "REG_NONE"},   {REG_SZ, "REG_SZ"},       {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"}, {REG_DWORD, "REG_DWORD"}, {REG_MULTI_SZ, "REG_MULTI_SZ"},
    {REG_QWORD, "REG_QWORD"},
};

const char kStringSeparator[] = "\\0";

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 15]);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& text, std::string& bytes) {
  if (text.size() % 2) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

// Decimal, or hexadecimal after 0x; empty is 0.
bool Number(const std::string& text, uint64_t limit, uint64_t& number) {
  if (text.empty()) {
    number = 0;
    return true;
  }
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  if (HexDigit(*digits) < 0 || (!hex && HexDigit(*digits) > 9)) return false;
  char* end = nullptr;
  errno = 0;
  number = std::strtoull(digits, &end, hex ? 16 : 10);
  return !*end && errno == 0 && number <= limit;
}

template <typename T>
std::string LittleEndian(T number) {
  std::string bytes(sizeof(T), '\0');
  std::memcpy(&bytes[0], &number, sizeof(T));
  return bytes;
}

std::string Strings(const std::string& bytes) {
  std::string text, rest = bytes;
  while (!rest.empty() && rest.back() == '\0') rest.pop_back();
  for (char c : rest) {
    if (c == '\0')
      text += kStringSeparator;
    else
      text.push_back(c);
  }
  return text;
}

}  // namespace

std::string TypeName(DWORD type) {
  for (const TypeEntry& entry : kTypes)
    if (entry.type == type) return entry.name;
  char text[32];
  std::snprintf(text, sizeof(text), "0x%" PRIx32, type);
  return text;
}

bool TypeFromName(const std::string& name, DWORD& type) {
  for (const TypeEntry& entry : kTypes) {
    if (strcasecmp(name.c_str(), entry.name) == 0) {
      type = entry.type;
      return true;
    }
  }
  return false;
}

std::string DataText(DWORD type, const std::string& bytes) {
  char text[32];
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return bytes.substr(0, bytes.find('\0'));
    case REG_MULTI_SZ:
      return Strings(bytes);
    case REG_DWORD:
      if (bytes.size() != sizeof(uint32_t)) break;
      uint32_t dword;
      std::memcpy(&dword, bytes.data(), sizeof(dword));
      std::snprintf(text, sizeof(text), "0x%" PRIx32, dword);
      return text;
    case REG_QWORD:
      if (bytes.size() != sizeof(uint64_t)) break;
      uint64_t qword;
      std::memcpy(&qword, bytes.data(), sizeof(qword));
      std::snprintf(text, sizeof(text), "0x%" PRIx64, qword);
      return text;
  }
  return Hex(bytes);
}

bool DataFromText(DWORD type, const std::string& text, std::string& bytes) {
  bytes.clear();
  uint64_t number = 0;
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      bytes = text + '\0';
      return true;
    case REG_MULTI_SZ:
      for (size_t start = 0;;) {
        const size_t cut = text.find(kStringSeparator, start);
        bytes += text.substr(start, cut == std::string::npos ? std::string::npos : cut - start) + '\0';
        if (cut == std::string::npos) break;
        start = cut + std::strlen(kStringSeparator);
      }
      bytes.push_back('\0');
      return true;
    case REG_DWORD:
      if (!Number(text, UINT32_MAX, number)) return false;
      bytes = LittleEndian(static_cast<uint32_t>(number));
      return true;
    case REG_QWORD:
      if (!Number(text, UINT64_MAX, number)) return false;
      bytes = LittleEndian(number);
      return true;
    default:
      return FromHex(text, bytes);
  }
}

}  // namespace hivetool
