#include <gtest/gtest.h>

#include <unistd.h>

#include "test_support.h"
#include "winsecurity.h"

namespace {

// 1 elevated, 0 not, -1 when the query failed.
int queryElevation() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return -1;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  BOOL ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
  CloseHandle(token);
  return ok && size == sizeof(elevation) ? static_cast<int>(elevation.TokenIsElevated) : -1;
}

}  // namespace

TEST(ProcessToken, ElevatedMeansEffectiveUserZero) {
  EXPECT_EQ(queryElevation(), geteuid() == 0 ? 1 : 0);
  if (getuid() != 0) GTEST_SKIP() << "changing the effective user needs root";
  int inChild = testing_support::RunInChild([] { return seteuid(65534) == 0 ? queryElevation() : 99; });
  EXPECT_EQ(inChild, 0);
}

TEST(ProcessToken, WindowsFailures) {
  HANDLE token = nullptr;
  SetLastError(0);
  EXPECT_FALSE(OpenProcessToken(reinterpret_cast<HANDLE>(0x1234), TOKEN_QUERY, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  EXPECT_FALSE(GetTokenInformation(token, TokenElevation, &elevation, 2, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(size, sizeof(TOKEN_ELEVATION));
  EXPECT_FALSE(GetTokenInformation(token, TokenUser, &elevation, sizeof(elevation), &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(CloseHandle(token));
  EXPECT_FALSE(CloseHandle(token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HANDLE noQuery = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), 0, &noQuery));
  EXPECT_FALSE(GetTokenInformation(noQuery, TokenElevation, &elevation, sizeof(elevation), &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CloseHandle(noQuery));
}
