#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "afx.h"
#include "platform_files.h"
#include "platform_paths.h"
#include "test_support.h"
#include "winerror.h"
#include "winfind.h"
#include "winmodule.h"
#include "winthread.h"

using testing_support::TempFolder;

static void functionInTheProgram() {}

TEST(PathResolution, FindsEachElementIgnoringCase) {
  TempFolder tmp;
  ASSERT_TRUE(platform::MakeFolders(tmp / "Program/Lng"));
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "Program/Lng/CorvexV0.inf", "x"));

  EXPECT_EQ(platform::ResolvePath(tmp / "program/LNG/corvexv0.INF"), tmp / "Program/Lng/CorvexV0.inf");
  EXPECT_EQ(platform::ResolvePath(tmp / "Program/Lng/CorvexV0.inf"), tmp / "Program/Lng/CorvexV0.inf");
  // A missing last element keeps its name under the resolved folder: usable to create it.
  EXPECT_EQ(platform::ResolvePath(tmp / "PROGRAM/new.txt"), tmp / "Program/new.txt");
  EXPECT_EQ(platform::ResolvePath(tmp / "missing/LNG"), tmp / "missing/LNG");
  EXPECT_EQ(platform::ResolvePath(""), "");
  FILE* f = platform::OpenFile(tmp / "PROGRAM/lng/CORVEXV0.INF", "rb");
  ASSERT_NE(f, nullptr);
  fclose(f);
}

TEST(Folders, RedirectionReachesEveryFolderAndIsMadePrivate) {
  TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  EXPECT_EQ(platform::UserHome(), tmp / "home");
  EXPECT_EQ(platform::WindowsFolder(), tmp / "windows");
  EXPECT_EQ(platform::SystemFolder(), tmp / "system");
  std::string state = platform::UserStateFolder();
  EXPECT_EQ(state, tmp / "home/.halvorn");
  struct stat st;
  ASSERT_EQ(stat(state.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(Folders, OnlyALeadingTildeSlashMeansTheHome) {
  struct Case {
    const char* home;
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/ann/", "~/Documents/Projects", "/home/ann/Documents/Projects"},
      {"/", "~/Projects", "/Projects"},
      {"/home/ann", "~", "~"},
      {"/home/ann", "~bob/x", "~bob/x"},
      {"/home/ann", "/srv/~/x", "/srv/~/x"},
      {"/home/ann", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    platform::SetUserHome(c.home);
    EXPECT_EQ(platform::ExpandHomePrefix(c.value), c.expected);
  }
  platform::SetUserHome("");
}

TEST(Modules, FileNameOfProgramAndLibraryAndCutResult) {
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
  ASSERT_GT(n, 0u);
  EXPECT_EQ(std::string(buffer).substr(std::string(buffer).rfind('/') + 1), "platform_core_test");

  HMODULE platformModule = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&GetModuleFileNameA));
  ASSERT_NE(platformModule, nullptr);
  ASSERT_GT(GetModuleFileNameA(platformModule, buffer, sizeof(buffer)), 0u);
  EXPECT_EQ(buffer[0], '/');
  EXPECT_EQ(std::string(buffer).substr(std::string(buffer).rfind('/') + 1), "Platform.so");

  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), std::string(buffer, 4));
  EXPECT_EQ(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&functionInTheProgram)), GetModuleHandleA(nullptr));
}

TEST(Threads, LastErrorIsPerThreadAndCountersAndSectionsHold) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  std::thread([] { EXPECT_EQ(GetLastError(), 0u); SetLastError(5); }).join();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  volatile LONG counter = 0;
  long plain = 0;
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        InterlockedIncrement(&counter);
        EnterCriticalSection(&section);
        EnterCriticalSection(&section);  // recursive, as on Windows
        ++plain;
        LeaveCriticalSection(&section);
        LeaveCriticalSection(&section);
      }
    });
  for (auto& t : threads) t.join();
  DeleteCriticalSection(&section);
  EXPECT_EQ(counter, 40000);
  EXPECT_EQ(plain, 40000);
  EXPECT_EQ(InterlockedExchangeAdd(&counter, 5), 40000);
  EXPECT_EQ(InterlockedDecrement(&counter), 40004);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), static_cast<HRESULT>(0x8007007E));
}

TEST(FindFiles, ListsMatchesIgnoringCaseAndReportsWhyNothingWasFound) {
  TempFolder tmp;
  for (const char* name : {"Log.1.log", "LOG.2.LOG", "log.txt", ".hidden.1.log"})
    ASSERT_TRUE(testing_support::WriteWholeFile(tmp / name, "x"));
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((tmp / "log.*.log").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  std::vector<std::string> names{data.cFileName};
  while (FindNextFileA(find, &data)) names.push_back(data.cFileName);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(find));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"LOG.2.LOG", "Log.1.log"}));

  EXPECT_EQ(FindFirstFileA((tmp / "none*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA((tmp / "missing/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}
