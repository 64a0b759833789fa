#include <cstring>

#include "platform_paths.h"
#include "qrmt_text.h"

namespace {

CString withoutEnclosingQuotes(const char* begin, const char* end) {
  if (begin < end && *begin == '"') ++begin;
  if (begin < end && end[-1] == '"') --end;
  return CString(begin, static_cast<int>(end - begin));
}

bool isBareRoot(const CStringArray& parts) { return parts.GetSize() == 1 && parts[0].IsEmpty(); }

}  // namespace

int QRMT_ParseString(const char* text, CStringArray& out, char separator) {
  out.RemoveAll();
  if (!text) return 0;
  if (separator == 0) separator = ';';
  const char* rest = text;
  for (const char* found; (found = std::strchr(rest, separator)) != nullptr; rest = found + 1) {
    out.Add(withoutEnclosingQuotes(rest, found));
  }
  if (*rest) out.Add(withoutEnclosingQuotes(rest, rest + std::strlen(rest)));
  return static_cast<int>(out.GetSize());
}

int QRMT_CompactArray(CStringArray& items, CString& out, char separator, int count) {
  if (separator == 0) separator = ';';
  INT_PTR n = items.GetSize();
  if (count >= 0 && count < n) n = count;
  out.Empty();
  for (INT_PTR i = 0; i < n; ++i) {
    if (i > 0) out += separator;
    out += items[i];
  }
  return out.GetLength();
}

void QRMT_SplitString(char separator, CString text, CString& left, CString& right) {
  int at = text.Find(separator);
  if (at < 0) {
    left = text;
    right.Empty();
  } else {
    left = text.Left(at);
    right = text.Mid(at + 1);
  }
  left.Trim();
  right.Trim();
}

int QRMT_AppendPath(const char* base, const char* relative, CString& out) {
  CStringArray parts;
  CStringArray steps;
  QRMT_ParseString(base, parts, platform::kPathSeparator);
  QRMT_ParseString(relative, steps, platform::kPathSeparator);
  for (INT_PTR i = 0; i < steps.GetSize(); ++i) {
    const CString& step = steps[i];
    if (step == ".") continue;
    if (step == "..") {
      if (!parts.IsEmpty() && !isBareRoot(parts)) parts.RemoveAt(parts.GetUpperBound());
    } else {
      parts.Add(step);
    }
  }
  if (isBareRoot(parts)) {
    out = CString(platform::kPathSeparator);
    return out.GetLength();
  }
  return QRMT_CompactArray(parts, out, platform::kPathSeparator, -1);
}

void QRMT_trim(CString& text) { text.Trim(" \t"); }
