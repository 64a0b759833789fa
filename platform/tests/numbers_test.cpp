#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform_numbers.h"
#include "test_support.h"
#include "winnls.h"

namespace {

// Runs `body` in a child whose environment holds exactly the given locale variables.
int inChildWithLocaleEnvironment(const std::map<std::string, std::string>& variables,
                                 const std::function<int()>& body) {
  return testing_support::RunInChild([&] {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) unsetenv(name);
    for (const auto& variable : variables) setenv(variable.first.c_str(), variable.second.c_str(), 1);
    return body();
  });
}

std::string userDecimal() {
  char buffer[8] = "?";
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer)) ? buffer : "failed";
}

}  // namespace

// The answer follows the environment, not the process's current locale.
TEST(LocaleDecimal, ComesFromTheLocaleTheEnvironmentNames) {
  struct Case {
    std::map<std::string, std::string> environment;
    const char* point;
  } cases[] = {
      {{}, "."},
      {{{"LANG", "de_DE.UTF-8"}}, ","},
      {{{"LANG", "fr_FR.UTF-8"}}, ","},
      {{{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}}, "."},
      {{{"LC_NUMERIC", "en_US.UTF-8"}, {"LC_ALL", "fr_FR.UTF-8"}}, ","},
      {{{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, ","},
      {{{"LANG", "xx_NOWHERE.UTF-8"}}, "."},
      {{{"LANG", "C"}}, "."},
  };
  for (const Case& c : cases) {
    std::string expected = c.point;
    int result = inChildWithLocaleEnvironment(c.environment, [&] {
      setlocale(LC_ALL, "C");  // the process's own locale must not matter
      return userDecimal() == expected ? 0 : 1;
    });
    EXPECT_EQ(result, 0) << "expected \"" << expected << "\" with " << c.environment.size() << " variables, first "
                         << (c.environment.empty() ? "none" : c.environment.begin()->second);
  }
}

TEST(LocaleDecimal, CountsAsWindowsDoes) {
  int result = inChildWithLocaleEnvironment({{"LANG", "de_DE.UTF-8"}}, [] {
    char buffer[8] = "zzzzzzz";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0) != 2) return 1;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 2) != 2 || strcmp(buffer, ",") != 0) return 2;
    SetLastError(0);
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 1) != 0) return 3;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return 4;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x1234, buffer, 8) != 0 || GetLastError() != ERROR_INVALID_FLAGS) return 5;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 8) != 0) return 6;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return 7;
    return 0;
  });
  EXPECT_EQ(result, 0);
}

// Qt programs call setlocale(LC_ALL, ""): the C-locale helpers must not notice.
TEST(CLocaleNumbers, ReadAndPrintWithADotUnderACommaLocale) {
  for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    int result = inChildWithLocaleEnvironment({{"LC_ALL", locale}}, [] {
      if (!setlocale(LC_ALL, "")) return 100;
      if (strtod("2.5", nullptr) == 2.5) return 101;  // the locale really is in effect
      char* end = nullptr;
      const char* text = "2.5;";
      if (platform::StrtodC(text, &end) != 2.5 || end != text + 3) return 1;
      if (platform::AtofC("-0.125") != -0.125) return 2;
      if (platform::AtolC(" 3000000000x") != 3000000000LL) return 3;
      if (platform::FormatDoubleC("%.2f", 1234.5) != "1234.50") return 4;
      if (platform::FormatDoubleC("%4f", 0.2) != "0.200000") return 5;
      if (platform::FormatDoubleC("%.1f", 1e300).size() != 303) return 6;  // past the small buffer
      if (strtod("2,5", nullptr) != 2.5) return 7;                         // the thread's locale came back
      return 0;
    });
    EXPECT_EQ(result, 0) << locale;
  }
}
