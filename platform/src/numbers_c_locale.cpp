#include <locale.h>
#include <stdio.h>
#include <stdlib.h>

#include "c_locale.h"
#include "platform_numbers.h"

namespace platform {

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

double StrtodC(const char* text, char** end) { return strtod_l(text, end, CLocale()); }

double AtofC(const char* text) { return StrtodC(text, nullptr); }

long long AtolC(const char* text) { return strtoll_l(text, nullptr, 10, CLocale()); }

std::string FormatDoubleC(const char* format, double value) {
  CLocaleScope scope;
  char buffer[64];
  int length = snprintf(buffer, sizeof(buffer), format, value);
  if (length < 0) return std::string();
  if (static_cast<size_t>(length) < sizeof(buffer)) return std::string(buffer, static_cast<size_t>(length));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  snprintf(&text[0], text.size(), format, value);
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace platform
