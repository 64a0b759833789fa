// CCConvertStringToHex: four binary digits per hex digit, leading zero groups held back.
#include <gtest/gtest.h>

#include "Security.h"

TEST(HexTextTest, GroupsOfFourBecomeDigits) {
  const struct {
    const char* binary;
    const char* before;
    const char* after;
  } cases[] = {
      {"0000", "", ""},
      {"00000", "", "0"},
      {"00010000", "", "10"},
      {"00000001", "", "1"},
      {"11111", "", "f1"},
      {"101", "", "5"},
      {"", "", ""},
      {"1111", "ab", "abf"},  // appended to, never cleared
      {"000000000011", "", "3"},
      {"10100000", "", "a0"},
      {"1x11", "", "1"},         // parsing stops at the first non-binary character
      {"-001", "", "ffffffff"},  // strtol takes a sign; %x of a 32-bit -1
  };
  for (const auto& c : cases) {
    CString binary = c.binary, hex = c.before;
    CCConvertStringToHex(binary, hex);
    EXPECT_EQ(hex, c.after) << c.binary;
    EXPECT_EQ(binary, c.binary);
  }
}
