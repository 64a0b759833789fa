#include "upper_case.h"

#include <locale.h>
#include <wctype.h>

namespace {

size_t LengthFromLead(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

// The character at `at` and its length in bytes; length 0 where no well-formed
// character (shortest form, no surrogate, at most U+10FFFF) starts.
char32_t DecodeAt(const std::string& text, size_t at, size_t& length) {
  static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  length = LengthFromLead(lead);
  if (length == 0 || at + length > text.size()) return length = 0;
  char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return length = 0;
    ch = (ch << 6) | (next & 0x3F);
  }
  if (ch < kSmallest[length] || ch > 0x10FFFF || (ch >= 0xD800 && ch < 0xE000)) return length = 0;
  return ch;
}

void Encode(char32_t ch, std::string& out) {
  static const unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
  if (ch < 0x80) {
    out += static_cast<char>(ch);
    return;
  }
  const int extra = ch < 0x800 ? 1 : ch < 0x10000 ? 2 : 3;
  out += static_cast<char>(kLeads[extra] | (ch >> (6 * extra)));
  for (int i = extra - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((ch >> (6 * i)) & 0x3F));
}

}  // namespace

std::string UpperCaseUtf8(const std::string& text) {
  // The case mapping of Unicode, whatever locale the process runs in.
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  std::string upper;
  upper.reserve(text.size());
  for (size_t at = 0, length = 0; at < text.size(); at += length ? length : 1) {
    const char32_t ch = DecodeAt(text, at, length);
    if (length == 0) {
      upper += text[at];
    } else if (unicode) {
      Encode(static_cast<char32_t>(towupper_l(static_cast<wint_t>(ch), unicode)), upper);
    } else {
      Encode(ch < 0x80 ? static_cast<char32_t>(towupper(static_cast<wint_t>(ch))) : ch, upper);
    }
  }
  return upper;
}
