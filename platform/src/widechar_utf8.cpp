#include <cstring>
#include <string>

#include "winnls.h"

namespace {

const char16_t kReplacement = 0xFFFD;

int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

// Length of the well-formed UTF-8 sequence at `p` (at most `left` bytes) and its code
// point; 0 when the bytes there are no such sequence (overlong forms and surrogates too).
int decodeUtf8(const unsigned char* p, size_t left, uint32_t& code) {
  static const unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  int length = sequenceLength(p[0]);
  if (length == 0 || left < static_cast<size_t>(length)) return 0;
  code = p[0] & kLeadBits[length];
  for (int i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (p[i] & 0x3F);
  }
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kSmallest[length] || code > 0x10FFFF || surrogate) return 0;
  return length;
}

// UTF-16 of the bytes; false at the first invalid byte when `strict`.
bool utf8ToUtf16(const unsigned char* text, size_t length, bool strict, std::u16string& wide) {
  for (size_t at = 0; at < length;) {
    uint32_t code = 0;
    int used = decodeUtf8(text + at, length - at, code);
    if (used == 0) {
      if (strict) return false;
      wide += kReplacement;
      ++at;
      continue;
    }
    if (code >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
    at += static_cast<size_t>(used);
  }
  return true;
}

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int wideSize) {
  if (codePage != CP_ACP && codePage != CP_THREAD_ACP && codePage != CP_UTF8) return fail(ERROR_INVALID_PARAMETER);
  if ((flags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) != 0) return fail(ERROR_INVALID_FLAGS);
  if (!text || length == 0 || length < -1 || wideSize < 0 || (wideSize > 0 && !wide)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  size_t byteCount = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);
  std::u16string converted;
  bool strict = (flags & MB_ERR_INVALID_CHARS) != 0;
  if (!utf8ToUtf16(reinterpret_cast<const unsigned char*>(text), byteCount, strict, converted)) {
    return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  int needed = static_cast<int>(converted.size());
  if (wideSize == 0) return needed;
  if (wideSize < needed) return fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(wide, converted.data(), converted.size() * sizeof(char16_t));
  return needed;
}
