#include "qrmt_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

std::vector<std::string> toVector(const CStringArray& items) {
  std::vector<std::string> result;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) result.push_back(items[i].str());
  return result;
}

std::string bigText(char fill, size_t size) { return std::string(size, fill); }

}  // namespace

TEST(QrmtParseString, SplitsAndStripsOneQuoteAtEachEnd) {
  struct Case {
    const char* text;
    char separator;
    std::vector<std::string> items;
  } cases[] = {
      {"\"ab\";cd", 0, {"ab", "cd"}}, {"a;;b", ';', {"a", "", "b"}},
      {"a;b;", ';', {"a", "b"}},      {";", ';', {""}},
      {";;;", ';', {"", "", ""}},     {"\"", ';', {""}},
      {"\"\"x\"\"", ';', {"\"x\""}},  {"\"a;b\"", ';', {"a", "b"}},  // separators inside quotes are not protected
      {"a#b", '#', {"a", "b"}},       {"", ';', {}},
  };
  for (const Case& c : cases) {
    CStringArray out;
    out.Add("stale");
    EXPECT_EQ(QRMT_ParseString(c.text, out, c.separator), static_cast<int>(c.items.size())) << c.text;
    EXPECT_EQ(toVector(out), c.items) << c.text;
  }
  CStringArray out;
  EXPECT_EQ(QRMT_ParseString(nullptr, out, ';'), 0);
  std::string huge = bigText('x', 1 << 20) + ";" + bigText(';', 3);
  EXPECT_EQ(QRMT_ParseString(huge.c_str(), out, ';'), 4);
  EXPECT_EQ(out[0].GetLength(), 1 << 20);
}

TEST(QrmtCompactArray, JoinsTheFirstItems) {
  CStringArray items;
  for (const char* item : {"a", "", "c"}) items.Add(item);
  struct Case {
    int count;
    char separator;
    const char* joined;
  } cases[] = {{-1, 0, "a;;c"}, {2, ',', "a,"}, {1, ';', "a"}, {0, ';', ""}, {9, '/', "a//c"}};
  for (const Case& c : cases) {
    CString out("stale");
    EXPECT_EQ(QRMT_CompactArray(items, out, c.separator, c.count), static_cast<int>(strlen(c.joined)));
    EXPECT_EQ(out, c.joined) << c.count;
  }
}

TEST(QrmtSplitString, CutsAtTheFirstSeparatorAndTrims) {
  struct Case {
    const char* text;
    const char* left;
    const char* right;
  } cases[] = {{" key = value = more ", "key", "value = more"},
               {"no separator ", "no separator", ""},
               {"=", "", ""},
               {"", "", ""}};
  for (const Case& c : cases) {
    CString left("x");
    CString right("y");
    QRMT_SplitString('=', c.text, left, right);
    EXPECT_EQ(left, c.left) << c.text;
    EXPECT_EQ(right, c.right) << c.text;
  }
}

TEST(QrmtAppendPath, WalksTheRelativeStepsOntoTheBase) {
  struct Case {
    const char* base;
    const char* relative;
    const char* joined;
  } cases[] = {
      {"/opt/app/", "../Lng/x.LNG", "/opt/Lng/x.LNG"},
      {"/opt/app", "./a/./b", "/opt/app/a/b"},
      {"/a", "../../x", "/x"},  // the root of an absolute path stays
      {"/", "..", "/"},
      {"a/b", "../../../x", "x"},
      {"", "..", ""},
      {nullptr, "a/b", "a/b"},
      {"/base", nullptr, "/base"},
      {"/base", "/abs", "/base//abs"},  // always appended, as the suite expects
  };
  for (const Case& c : cases) {
    CString out;
    EXPECT_EQ(QRMT_AppendPath(c.base, c.relative, out), static_cast<int>(strlen(c.joined)));
    EXPECT_EQ(out, c.joined) << (c.base ? c.base : "(null)") << " + " << (c.relative ? c.relative : "(null)");
  }
}

TEST(QrmtTrim, RemovesOnlyBlanksAndTabs) {
  CString text(" \t a b\n\t ");
  QRMT_trim(text);
  EXPECT_EQ(text, "a b\n");
  CString blanks(" \t");
  QRMT_trim(blanks);
  EXPECT_TRUE(blanks.IsEmpty());
}

TEST(QrmtStringToDouble, AcceptsCommaAndDotInTheCLocale) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"2,5", 2.5},      {"-0,5", -0.5}, {"2.5", 2.5},
      {" 12,25", 12.25}, {"007,5", 7.5}, {"3000000000,5", 3000000000.5},
      {"-,5", -0.5},     {"x,5", 0.5},   {"1,2,3", 1.2},
      {"", 0.0},         {",", 0.0},     {"abc", 0.0},
      {"1e3", 1000.0},
  };
  for (const Case& c : cases) {
    double value = -99;
    EXPECT_EQ(QRMT_StringToDouble(c.text, value), 1) << c.text;
    EXPECT_DOUBLE_EQ(value, c.value) << c.text;
  }
  double value = 0;
  QRMT_StringToDouble("inf", value);
  EXPECT_TRUE(std::isinf(value));
  QRMT_StringToDouble(CString(("1," + bigText('5', 1 << 20)).c_str()), value);
  EXPECT_NEAR(value, 1.5555, 1e-4);
}

TEST(QrmtDoubleToString, PrintsByModeWithTheChosenPoint) {
  struct Case {
    double value;
    int mode;
    const char* text;
  } cases[] = {
      {0.004, 2, "0.00"},   {-0.004, 2, "0.00"},    {0.005, 2, "0.01"},        {2.5, 1, "2.5"},
      {2.5, 3, "2.500"},    {0.2, 4, "0.200000"},   {1234.5678, 0, "1234.57"}, {-3.14159, 7, "-3.14"},
      {INFINITY, 2, "inf"}, {-INFINITY, 4, "-inf"}, {NAN, 2, "nan"},
  };
  for (const Case& c : cases) {
    CString out;
    EXPECT_EQ(QRMT_DoubleToString(c.value, out, c.mode, 1), 1);
    EXPECT_EQ(out, c.text) << c.value << " mode " << c.mode;
  }
}

TEST(QrmtFormatHeure, SplitsIntoHoursAndMinutesOrHundredths) {
  struct Case {
    bool fromMinutes;
    LONG value;
    const char* format;
    int split;
    int zero;
    const char* text;
  } cases[] = {
      {true, 90, "%d h %02d", 1, 0, "1 h 30"},
      {true, 90, "%d", 0, 0, "150"},
      {true, 0, "%d", 0, 0, ""},
      {true, 0, "%d h %02d", 1, 1, "0 h 00"},
      {true, -5, "%d", 0, 0, ""},
      {false, 150, "%d h %02d", 1, 0, "1 h 30"},
      {false, 133, "%d:%02d", 1, 0, "1:20"},
      {false, 150, "%d", 0, 0, "150"},
      {false, 0, "%d", 0, 1, "0"},
      {false, 0, "%d", 0, 0, ""},
  };
  for (const Case& c : cases) {
    CString out("stale");
    if (c.fromMinutes) {
      QRMT_FormatHeureFromMinutes(c.value, out, c.format, c.split, c.zero);
    } else {
      QRMT_FormatHeureFromCentiheures(c.value, out, c.format, c.split, c.zero);
    }
    EXPECT_EQ(out, c.text) << c.value << " " << c.format;
  }
}

// Under a locale whose decimal point is a comma, after setlocale(LC_ALL, ""), as a Qt
// program runs: both points read, printing follows the user's point unless a dot is asked.
class QrmtUnderUserLocale : public testing::TestWithParam<const char*> {};

TEST_P(QrmtUnderUserLocale, NumbersReadAndPrintAlike) {
  int failures = testing_support::RunInChild([] {
    setenv("LC_ALL", GetParam(), 1);
    if (!setlocale(LC_ALL, "")) return 100;
    int bad = 0;
    auto check = [&bad](bool ok, const char* what) {
      if (ok) return;
      fprintf(stderr, "failed: %s\n", what);
      ++bad;
    };
    double value = 0;
    check(QRMT_StringToDouble("2,5", value) == 1 && value == 2.5, "2,5");
    check(QRMT_StringToDouble("2.5", value) == 1 && value == 2.5, "2.5");
    check(QRMT_StringToDouble("-0,5", value) == 1 && value == -0.5, "-0,5");
    CString out;
    QRMT_DoubleToString(0.004, out, 2, 1);
    check(out == "0.00", "0.004 with a dot");
    QRMT_DoubleToString(0.2, out, 4, 1);
    check(out == "0.200000", "mode 4 with a dot");
    QRMT_DoubleToString(1.25, out, 2, 0);
    check(out == "1,25", "user's point");
    return bad;
  });
  EXPECT_EQ(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(CommaLocales, QrmtUnderUserLocale, testing::Values("de_DE.UTF-8", "fr_FR.UTF-8"));
