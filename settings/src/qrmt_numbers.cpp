#include <cmath>
#include <string>

#include "platform_numbers.h"
#include "qrmt_text.h"
#include "winnls.h"

namespace {

bool userDecimalSeparator(CString& separator) {
  char buffer[8];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer)) == 0) return false;
  separator = buffer;
  return true;
}

bool isCSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// The whole number atol reads at the start of [begin, end), as decimal text with no
// width limit: "  -007" gives "-7", "-" gives "-0", "x" gives "0".
std::string wholeNumberText(const char* begin, const char* end) {
  const char* p = begin;
  while (p < end && isCSpace(*p)) ++p;
  bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  while (p < end && *p == '0') ++p;
  const char* digits = p;
  while (p < end && *p >= '0' && *p <= '9') ++p;
  std::string text = negative ? "-" : "";
  return digits < p ? text.append(digits, p) : text + "0";
}

// The whole part before `at`, a dot, and the text after the separator, read as one number.
double readJoinedAt(const CString& text, int at, int separatorLength) {
  const char* begin = text.GetString();
  std::string number = wholeNumberText(begin, begin + at) + "." + (begin + at + separatorLength);
  return platform::StrtodC(number.c_str(), nullptr);
}

const char* formatForMode(int mode) {
  switch (mode) {
    case 1:
      return "%.1f";
    case 3:
      return "%.3f";
    case 4:
      return "%4f";
    default:
      return "%.2f";
  }
}

}  // namespace

int QRMT_StringToDouble(CString text, double& out) {
  CString separator;
  if (!userDecimalSeparator(separator)) return 0;
  int comma = text.Find(',');
  int userSeparator = separator == "." ? -1 : text.Find(separator.GetString());
  if (comma >= 0) {
    out = readJoinedAt(text, comma, 1);
  } else if (userSeparator >= 0) {
    out = readJoinedAt(text, userSeparator, separator.GetLength());
  } else {
    out = platform::StrtodC(text.GetString(), nullptr);
  }
  return 1;
}

int QRMT_DoubleToString(double value, CString& out, int mode, int dotFlag) {
  if (std::fabs(value) < 0.005) value = 0;
  CString separator(".");
  if (!dotFlag && !userDecimalSeparator(separator)) separator = ".";
  std::string printed = platform::FormatDoubleC(formatForMode(mode), value);
  size_t dot = printed.find('.');
  if (dot != std::string::npos) printed.replace(dot, 1, separator.str());
  out = CString(printed);
  return 1;
}
