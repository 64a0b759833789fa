// A settings file in a temporary program folder, with home and Windows folder
// redirected beside it, and the Setwell singleton deleted after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Setwell.h"
#include "platform_paths.h"
#include "test_support.h"
#include "winprofile.h"

class SetwellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(tmp.path());
    platform::MakeFolders(tmp / "program");
  }
  void TearDown() override { delete Setwell::GetInstance(); }

  // Writes the settings file and initialises Setwell with its full path.
  Setwell& Start(const std::string& content = "") {
    testing_support::WriteWholeFile(settings, content);
    Setwell* setwell = Setwell::GetInstance();
    setwell->Init(settings.c_str());
    return *setwell;
  }
  // Deletes the instance (which flushes) and starts a fresh one on the same files.
  Setwell& Restart() {
    delete Setwell::GetInstance();
    Setwell* setwell = Setwell::GetInstance();
    setwell->Init(settings.c_str());
    return *setwell;
  }

  std::string Read(const char* section, const char* key, int userLayer = 1, int refresh = 0,
                   const char* defaultValue = "") {
    std::vector<char> buffer(2 << 20);
    const DWORD count = Setwell::GetInstance()->ReadStringParameter(
        section, key, defaultValue, buffer.data(), static_cast<DWORD>(buffer.size()), settings.c_str(), userLayer, refresh);
    return std::string(buffer.data(), count);
  }

  static std::string OnDisk(const std::string& file, const char* section, const char* key) {
    std::vector<char> buffer(2 << 20);
    const DWORD count = GetPrivateProfileStringA(section, key, "<missing>", buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), count);
  }

  testing_support::TempFolder tmp;
  const std::string settings = tmp / "program/CorvexV0.inf";
  const std::string userCopy = tmp / "home/.config/halvorn/CorvexV0.inf";
  static constexpr const char* kUserConfig = "[DIRECTORIES]\nUSERCONFIG=~/.config/halvorn\n";
};
