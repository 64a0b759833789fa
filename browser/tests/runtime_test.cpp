// The runtime's text, encodings and task queue, without the engine.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "cef_parser.h"
#include "cef_string.h"
#include "cef_task.h"

namespace {

TEST(CefStringTest, ConvertsBetweenUtf8Utf16AndWideText) {
  const std::string musical = "\xF0\x9D\x84\x9E";  // U+1D11E, outside the BMP
  EXPECT_EQ(CefString(musical).ToString16(), std::u16string(u"\U0001D11E"));
  EXPECT_EQ(CefString(u"\U0001D11E").ToString(), musical);
  EXPECT_EQ(CefString(L"\U0001D11E").ToString16(), std::u16string(u"\U0001D11E"));
  EXPECT_EQ(CefString(u"\U0001D11E").ToWString(), std::wstring(L"\U0001D11E"));
  // Invalid bytes become U+FFFD; the text around them stays.
  EXPECT_EQ(CefString("a\xFF" "b").ToString16(), std::u16string(u"a\uFFFDb"));
  EXPECT_EQ(CefString("\xC3").ToString16(), std::u16string(u"\uFFFD"));
  EXPECT_TRUE(CefString(static_cast<const char*>(nullptr)).empty());
}

TEST(CefParserTest, EncodesBase64AndUris) {
  struct Case {
    std::string in, base64;
  } base64Cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xFF\xFE\xFD", "//79"}};
  for (const Case& c : base64Cases) EXPECT_EQ(CefBase64Encode(c.in.data(), c.in.size()).ToString(), c.base64) << c.in;

  EXPECT_EQ(CefURIEncode("a b+c/d=e", false).ToString(), "a%20b%2Bc%2Fd%3De");
  EXPECT_EQ(CefURIEncode("a b", true).ToString(), "a+b");
  EXPECT_EQ(CefURIEncode("-_.!~*'()", false).ToString(), "-_.!~*'()");
  EXPECT_EQ(CefURIEncode(u"\u00E9<", false).ToString(), "%C3%A9%3C");
}

TEST(CefTaskTest, TasksFromSeveralThreadsRunOnTheGuiThreadInTheirOrder) {
  EXPECT_FALSE(CefPostTask(TID_UI, CefCreateClosureTask([] {})));  // no application yet
  int argc = 1;
  char name[] = "runtime_test";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  EXPECT_TRUE(CefCurrentlyOn(TID_UI));

  const int kThreads = 4, kTasks = 200;
  std::vector<std::vector<int>> seen(kThreads);
  std::atomic<int> offGuiThread{0}, done{0};
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&, t] {
      EXPECT_FALSE(CefCurrentlyOn(TID_UI));
      for (int i = 0; i < kTasks; ++i)
        CefPostTask(TID_UI, CefCreateClosureTask([&, t, i] {
          if (!CefCurrentlyOn(TID_UI)) ++offGuiThread;
          seen[t].push_back(i);
          if (++done == kThreads * kTasks) QCoreApplication::quit();
        }));
    });
  for (std::thread& poster : posters) poster.join();
  QTimer::singleShot(10000, &application, &QCoreApplication::quit);
  QCoreApplication::exec();

  EXPECT_EQ(done, kThreads * kTasks);
  EXPECT_EQ(offGuiThread, 0);
  for (const std::vector<int>& one : seen) {
    ASSERT_EQ(one.size(), static_cast<size_t>(kTasks));
    for (int i = 0; i < kTasks; ++i) EXPECT_EQ(one[i], i);
  }
}

}  // namespace
