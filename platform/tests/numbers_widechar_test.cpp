#include <gtest/gtest.h>

#include <string>

#include "winnls.h"

namespace {

struct Converted {
  int result;
  DWORD error;
  std::u16string text;
};

Converted convert(UINT codePage, DWORD flags, const std::string& bytes, int length, int room = 64) {
  WCHAR buffer[64] = {};
  SetLastError(0);
  int result = MultiByteToWideChar(codePage, flags, bytes.c_str(), length, room ? buffer : nullptr, room);
  return {result, GetLastError(), std::u16string(buffer, result > 0 && room ? static_cast<size_t>(result) : 0)};
}

}  // namespace

TEST(MultiByteToWideChar, ConvertsUtf8AsTheAnsiCodePage) {
  struct Case {
    UINT codePage;
    DWORD flags;
    std::string bytes;
    int length;
    int result;
    DWORD error;
    std::u16string text;
  } cases[] = {
      {CP_THREAD_ACP, 0, "Tamberlo.App", -1, 13, 0, std::u16string(u"Tamberlo.App", 13)},
      {CP_ACP, 0, "caf\xC3\xA9", 5, 4, 0, u"caf\u00E9"},
      {CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, 2, 0, u"\U0001F600"},
      {CP_THREAD_ACP, 0,
       "a\xFF"
       "b",
       3, 3, 0, u"a\uFFFDb"},
      {CP_THREAD_ACP, 0, "\xC0\x80", 2, 2, 0, u"\uFFFD\uFFFD"},            // overlong zero
      {CP_THREAD_ACP, 0, "\xED\xA0\x80", 3, 3, 0, u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
      {CP_THREAD_ACP, 0, "\xE2\x82", 2, 2, 0, u"\uFFFD\uFFFD"},            // cut short
      {CP_THREAD_ACP, MB_ERR_INVALID_CHARS, "a\xFF", 2, 0, ERROR_NO_UNICODE_TRANSLATION, u""},
      {CP_THREAD_ACP, 0x4, "a", 1, 0, ERROR_INVALID_FLAGS, u""},
      {1250, 0, "a", 1, 0, ERROR_INVALID_PARAMETER, u""},
      {CP_THREAD_ACP, 0, "a", 0, 0, ERROR_INVALID_PARAMETER, u""},
      {CP_THREAD_ACP, 0, "a", -2, 0, ERROR_INVALID_PARAMETER, u""},
  };
  for (const Case& c : cases) {
    Converted out = convert(c.codePage, c.flags, c.bytes, c.length);
    EXPECT_EQ(out.result, c.result) << c.bytes;
    EXPECT_EQ(out.error, c.error) << c.bytes;
    EXPECT_EQ(out.text, c.text) << c.bytes;
  }
}

TEST(MultiByteToWideChar, SizesAndShortBuffers) {
  EXPECT_EQ(convert(CP_THREAD_ACP, 0, "\xF0\x9F\x98\x80x", -1, 0).result, 4);
  Converted tooSmall = convert(CP_THREAD_ACP, 0, "abc", 3, 2);
  EXPECT_EQ(tooSmall.result, 0);
  EXPECT_EQ(tooSmall.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_THREAD_ACP, 0, nullptr, -1, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
