#include <gtest/gtest.h>

#include "winsecurity.h"

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
