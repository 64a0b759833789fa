#include <gtest/gtest.h>

#include <cstring>

#include "afxstr.h"

TEST(CString, SlicesClampLikeMfc) {
  const CString s("Hello World");
  struct Case {
    CString got;
    const char* want;
  } cases[] = {
      {s.Left(5), "Hello"},       {s.Left(-1), ""},           {s.Left(99), "Hello World"},
      {s.Mid(6), "World"},        {s.Mid(6, 2), "Wo"},        {s.Mid(-3, 2), "He"},
      {s.Mid(20), ""},            {s.Mid(3, -1), ""},         {s.Mid(9, 10), "ld"},
      {s.Right(5), "World"},      {s.Right(0), ""},           {s.Right(50), "Hello World"},
      {s.SpanIncluding("lHe"), "Hell"}, {s.SpanExcluding(" "), "Hello"},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.got, c.want);
}

TEST(CString, SearchesReturnPositionsOrMinusOne) {
  const CString s("a/b/c.ext");
  EXPECT_EQ(s.Find('/'), 1);
  EXPECT_EQ(s.Find('/', 2), 3);
  EXPECT_EQ(s.Find('/', 100), -1);
  EXPECT_EQ(s.Find("b/c"), 2);
  EXPECT_EQ(s.Find("zz"), -1);
  EXPECT_EQ(s.Find("", 4), 4);
  EXPECT_EQ(s.ReverseFind('/'), 3);
  EXPECT_EQ(s.ReverseFind('#'), -1);
  EXPECT_EQ(s.FindOneOf(".c"), 4);
  EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CString, EditsReturnCountsAndLengths) {
  CString s("one two one");
  EXPECT_EQ(s.Replace("one", "three"), 2);
  EXPECT_STREQ(s, "three two three");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace('e', 'E'), 4);
  EXPECT_EQ(s.Remove('E'), 4);
  EXPECT_STREQ(s, "thr two thr");
  EXPECT_EQ(s.Insert(0, "["), 12);
  EXPECT_EQ(s.Insert(99, ']'), 13);
  EXPECT_EQ(s.Delete(1, 4), 9);
  EXPECT_STREQ(s, "[two thr]");
  EXPECT_EQ(s.Delete(7, 100), 7);
  EXPECT_STREQ(s, "[two th");

  CString t("  \t mixed Case \r\n");
  EXPECT_STREQ(CString(t).TrimLeft(), "mixed Case \r\n");
  EXPECT_STREQ(CString(t).TrimRight(), "  \t mixed Case");
  EXPECT_STREQ(t.Trim().MakeUpper(), "MIXED CASE");
  EXPECT_STREQ(CString("xxabxx").Trim('x'), "ab");
  EXPECT_STREQ(CString("\"q\"").Trim("\""), "q");
  EXPECT_STREQ(CString("ÄbC").MakeLower(), "Äbc");  // ASCII only, UTF-8 bytes untouched
}

TEST(CString, FormatComparisonAndConcatenation) {
  CString s;
  s.Format("%s=%d", "n", 42);
  s.AppendFormat(" %u", static_cast<unsigned>(-1));
  EXPECT_STREQ(s, "n=42 4294967295");
  s.Format("%s", std::string(5000, 'x').c_str());
  EXPECT_EQ(s.GetLength(), 5000);

  EXPECT_LT(CString("abc").Compare("abd"), 0);
  EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
  EXPECT_TRUE(CString("a") == "a");
  EXPECT_TRUE("b" != CString("a"));
  EXPECT_STREQ("x" + CString("y") + 'z' + "!", "xyz!");
  EXPECT_STREQ(CString('-', 3), "---");
  EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
}

TEST(CString, BuffersAndEmbeddedZeros) {
  CString s;
  char* buffer = s.GetBuffer(10);
  std::strcpy(buffer, "abc");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 3);
  buffer = s.GetBuffer(8);
  std::memcpy(buffer, "a\0b", 3);
  s.ReleaseBuffer(3);
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(s.GetAt(2), 'b');
  EXPECT_EQ(s.GetAt(3), '\0');
  EXPECT_EQ(CString("a\0b", 3).GetLength(), 3);
  EXPECT_EQ(CString("a\0b", 3) + CString("c"), CString("a\0bc", 4));
}

TEST(CString, TokenizeAndWideText) {
  CString s(";a;;b;");
  int pos = 0;
  EXPECT_STREQ(s.Tokenize(";", pos), "a");
  EXPECT_STREQ(s.Tokenize(";", pos), "b");
  EXPECT_STREQ(s.Tokenize(";", pos), "");
  EXPECT_EQ(pos, -1);
  const WCHAR wide[] = {u'A', 0x00E9, 0xD83D, 0xDE00, 0};
  EXPECT_STREQ(CString(wide), "A\xC3\xA9\xF0\x9F\x98\x80");
}
