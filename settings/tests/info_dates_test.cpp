#include "info_dates.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "test_support.h"

TEST(InfoDates, ReadsOnlyDatesInRange) {
  struct Case {
    const char* text;
    bool isDate;
    InfoDate date;
  } cases[] = {
      {"2024-1-5", true, {2024, 1, 5}},
      {"2022-09-6", true, {2022, 9, 6}},
      {" +2024-01-05xyz", true, {2024, 1, 5}},
      {"1970-1-1", true, {1970, 1, 1}},
      {"2024-02-30", true, {2024, 2, 30}},
      {"2147483647-12-31", true, {2147483647, 12, 31}},
      {"2024-13-1", false, {}},
      {"2024-0-1", false, {}},
      {"2024-1-32", false, {}},
      {"2024-1-0", false, {}},
      {"1969-12-31", false, {}},
      {"3000000000-1-1", false, {}},
      {"2024-1-99999999999", false, {}},
      {"2024 -1-5", false, {}},
      {"2024-1", false, {}},
      {"0", false, {}},
      {"", false, {}},
      {nullptr, false, {}},
  };
  for (const Case& c : cases) {
    InfoDate date{-1, -1, -1};
    EXPECT_EQ(ReadInfoDate(c.text, date), c.isDate) << (c.text ? c.text : "(null)");
    if (c.isDate) {
      EXPECT_EQ(date.year, c.date.year) << c.text;
      EXPECT_EQ(date.month, c.date.month) << c.text;
      EXPECT_EQ(date.day, c.date.day) << c.text;
    }
  }
}

// Counted where local midnights are 23 or 25 hours apart at the clock changes.
TEST(InfoDates, CountsCalendarDaysAcrossMonthsYearsLeapDaysAndClockChanges) {
  int failures = testing_support::RunInChild([] {
    setenv("TZ", "Europe/Paris", 1);
    tzset();
    struct Case {
      const char* from;
      const char* to;
      long days;
    } cases[] = {
        {"2024-1-31", "2024-2-1", 1},  {"2023-12-31", "2024-1-1", 1},   {"2024-2-28", "2024-3-1", 2},
        {"2023-2-28", "2023-3-1", 1},  {"2024-3-30", "2024-3-31", 1},   {"2024-3-31", "2024-4-1", 1},
        {"2024-3-30", "2024-4-2", 3},  {"2024-10-26", "2024-10-27", 1}, {"2024-10-27", "2024-10-28", 1},
        {"2024-1-1", "2025-1-1", 366}, {"1970-1-1", "2024-1-1", 19723}, {"2024-02-30", "2024-3-1", 0},
        {"2024-2-1", "2024-1-31", 0},  {"2024-5-5", "2024-5-5", 0},     {"not a date", "2024-1-1", 0},
        {"2024-1-1", "2024-13-1", 0},
    };
    int bad = 0;
    for (const auto& c : cases) {
      long days = InfoDaysBetween(c.from, c.to);
      if (days == c.days) continue;
      fprintf(stderr, "%s to %s: %ld days, expected %ld\n", c.from, c.to, days, c.days);
      ++bad;
    }
    return bad;
  });
  EXPECT_EQ(failures, 0);
}

TEST(InfoDates, TodayIsTheLocalDateWithAnUnpaddedDay) {
  auto expectedToday = [] {
    time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char text[32];
    snprintf(text, sizeof(text), "%d-%02d-%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return std::string(text);
  };
  std::string before = expectedToday();
  std::string today = InfoDateToday().str();
  std::string after = expectedToday();
  EXPECT_TRUE(today == before || today == after) << today;
  EXPECT_EQ(InfoDateToday().str(), today);
  InfoDate date;
  EXPECT_TRUE(ReadInfoDate(today.c_str(), date));
  EXPECT_EQ(InfoDaysBetween(today.c_str(), today.c_str()), 0);
}
