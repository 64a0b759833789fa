#include "infos_lines.h"

namespace {

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not a valid one
// (overlong forms, surrogates and code points past U+10FFFF included).
int utf8SequenceLength(const unsigned char* text, int at, int length) {
  const unsigned char lead = text[at];
  if (lead < 0x80) return 1;
  int count = 0;
  unsigned int lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) count = 2, lowest = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF) count = 3, lowest = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4) count = 4, lowest = 0x10000;
  else return 0;
  if (at + count > length) return 0;
  unsigned int codePoint = lead & (0x7F >> count);
  for (int i = 1; i < count; ++i) {
    if ((text[at + i] & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (text[at + i] & 0x3F);
  }
  if (codePoint < lowest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return count;
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
