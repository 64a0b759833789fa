#include "info_dates.h"

#include <time.h>

#include <climits>
#include <cstdint>
#include <mutex>

namespace {

bool isCSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// One "%d" conversion at `p`; false when no digits follow or the number leaves 32 bits.
bool readInt(const char*& p, int& value) {
  while (isCSpace(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return false;
  int64_t number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number > static_cast<int64_t>(INT_MAX) + 1) return false;
  }
  if (negative) number = -number;
  if (number > INT_MAX) return false;
  value = static_cast<int>(number);
  return true;
}

bool readLiteral(const char*& p, char ch) {
  if (*p != ch) return false;
  ++p;
  return true;
}

// Days from 1970-01-01 to the first of the month in the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month) {
  year -= month <= 2;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int64_t dayNumber(const InfoDate& date) { return daysFromCivil(date.year, date.month) + date.day - 1; }

}  // namespace

bool ReadInfoDate(const char* text, InfoDate& date) {
  if (!text) return false;
  const char* p = text;
  InfoDate read{};
  bool numbers = readInt(p, read.year) && readLiteral(p, '-') && readInt(p, read.month) && readLiteral(p, '-') &&
                 readInt(p, read.day);
  if (!numbers) return false;
  if (read.year < 1970 || read.month < 1 || read.month > 12 || read.day < 1 || read.day > 31) return false;
  date = read;
  return true;
}

CString InfoDateToday() {
  static std::mutex mutex;
  static CString today;
  static time_t validFrom = 0;
  static time_t validUntil = 0;
  time_t now = time(nullptr);
  std::lock_guard<std::mutex> lock(mutex);
  if (now < validFrom || now >= validUntil) {
    tm local{};
    localtime_r(&now, &local);
    today.Format("%d-%02d-%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    tm midnight = local;
    midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
    midnight.tm_isdst = -1;
    tm nextMidnight = midnight;
    nextMidnight.tm_mday += 1;
    validFrom = mktime(&midnight);
    validUntil = mktime(&nextMidnight);
  }
  return today;
}

long InfoDaysBetween(const InfoDate& from, const InfoDate& to) {
  int64_t days = dayNumber(to) - dayNumber(from);
  return days > 0 ? static_cast<long>(days) : 0;
}

long InfoDaysBetween(const char* from, const char* to) {
  InfoDate first;
  InfoDate second;
  if (!ReadInfoDate(from, first) || !ReadInfoDate(to, second)) return 0;
  return InfoDaysBetween(first, second);
}
