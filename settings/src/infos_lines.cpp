#include "infos_lines.h"

namespace {

// Lead bytes of multi-byte UTF-8 sequences: their range, the sequence's length and the
// smallest code point it may carry (smaller ones are overlong forms).
struct Utf8Lead {
  unsigned char first;
  unsigned char last;
  int length;
  unsigned int lowest;
};
constexpr Utf8Lead kUtf8Leads[] = {{0xC2, 0xDF, 2, 0x80}, {0xE0, 0xEF, 3, 0x800}, {0xF0, 0xF4, 4, 0x10000}};

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not a valid one
// (overlong forms, surrogates and code points past U+10FFFF included).
int utf8SequenceLength(const unsigned char* text, int at, int length) {
  if (text[at] < 0x80) return 1;
  for (const Utf8Lead& lead : kUtf8Leads) {
    if (text[at] < lead.first || text[at] > lead.last) continue;
    if (at + lead.length > length) return 0;
    unsigned int codePoint = text[at] & (0x7F >> lead.length);
    for (int i = 1; i < lead.length; ++i) {
      if ((text[at + i] & 0xC0) != 0x80) return 0;
      codePoint = (codePoint << 6) | (text[at + i] & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < lead.lowest || codePoint > 0x10FFFF || surrogate ? 0 : lead.length;
  }
  return 0;
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

}  // namespace

bool IsCleanInfosLine(const CString& line) {
  const auto* text = reinterpret_cast<const unsigned char*>(line.GetString());
  const int length = line.GetLength();
  for (int at = 0; at < length;) {
    if ((text[at] < 0x20 && text[at] != '\t') || text[at] == 0x7F) return false;
    const int sequence = utf8SequenceLength(text, at, length);
    if (sequence == 0) return false;
    at += sequence;
  }
  return true;
}

bool IsStorableInfosId(const CString& id) {
  if (id.IsEmpty() || isBlank(id[0]) || isBlank(id[id.GetLength() - 1])) return false;
  if (id[0] == ';' || id[0] == '[') return false;
  return id.FindOneOf("=\"'") < 0;
}
