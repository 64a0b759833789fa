// Dates of the information files: "year-month-day" with the day not padded
// ("2022-09-6"), counted in calendar days.
#pragma once

#include "afxstr.h"

struct InfoDate {
  int year;
  int month;
  int day;
};

// Reads a text as "%d-%d-%d" would. It is a date only when all three numbers are read,
// fit in 32 bits and the year is 1970 or later, the month 1 to 12 and the day 1 to 31.
bool ReadInfoDate(const char* text, InfoDate& date);

// Today's local date as "%d-%02d-%d" (year, month, day); computed again when the day changes.
CString InfoDateToday();

// Calendar days from one date to a later one, 0 when `to` is not later or either
// text is not a date. A day past the month's end runs into the next month.
long InfoDaysBetween(const char* from, const char* to);
long InfoDaysBetween(const InfoDate& from, const InfoDate& to);
