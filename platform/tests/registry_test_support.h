// Shared pieces of the registry tests: a fixture with a private home and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform_paths.h"
#include "test_support.h"
#include "winreg.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(m_tmp.path());
    platform::SetOsReleaseFile(m_tmp / "os-release");
  }
  void TearDown() override { platform::SetOsReleaseFile(""); }

  std::string Home() const { return m_tmp / "home"; }
  std::string HiveFile() const { return m_tmp / "home/.halvorn/registry.db"; }

  testing_support::TempFolder m_tmp;
};

inline LONG SetText(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

// The value's bytes up to the first zero; the status goes to `status` when given.
inline std::string QueryText(HKEY key, const char* name, LONG* status = nullptr) {
  char buffer[1024] = {};
  DWORD size = sizeof(buffer);
  LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  if (status) *status = result;
  return result == ERROR_SUCCESS ? std::string(buffer) : std::string();
}

// Opens (creating) a key under HKEY_CURRENT_USER with full access.
inline HKEY CreateUserKey(const char* path) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  return key;
}
