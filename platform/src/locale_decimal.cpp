#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>

#include <cstring>
#include <mutex>
#include <string>

#include "winnls.h"

namespace {

// The locale name the environment gives for numbers, as setlocale(LC_NUMERIC, "") reads it.
std::string numericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = getenv(variable);
    if (value && *value) return value;
  }
  return std::string();
}

std::string decimalPointOf(const std::string& localeName) {
  if (localeName.empty()) return ".";
  locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), static_cast<locale_t>(0));
  if (!locale) return ".";
  std::string point = nl_langinfo_l(RADIXCHAR, locale);
  freelocale(locale);
  return point.empty() ? "." : point;
}

// Loading a locale reads files: the answer for the last name asked is kept.
struct DecimalPointCache {
  std::mutex mutex;
  std::string name;
  std::string point = ".";
};

std::string userDecimalPoint() {
  // Never destroyed: numbers may be formatted from exit handlers and unload code.
  static DecimalPointCache* cache = new DecimalPointCache;
  std::string name = numericLocaleName();
  std::lock_guard<std::mutex> lock(cache->mutex);
  if (name != cache->name || name.empty()) {
    cache->point = decimalPointOf(name);
    cache->name = name;
  }
  return cache->point;
}

}  // namespace

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
  (void)locale;  // every locale id answers with the environment's locale
  if (size < 0 || (size > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (type != LOCALE_SDECIMAL) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  std::string value = userDecimalPoint();
  int needed = static_cast<int>(value.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, value.c_str(), static_cast<size_t>(needed));
  return needed;
}
