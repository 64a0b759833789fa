#include "network_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "winreg.h"

namespace {

const char* const kProxyVariables[] = {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY",
                                       "all_proxy",  "ALL_PROXY",   "no_proxy",   "NO_PROXY"};
const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

}  // namespace

void NetworkFixture::SetUp() {
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  for (const char* name : kProxyVariables) unsetenv(name);
  std::filesystem::create_directories(program);
  std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/network_probe", program + "/network_probe");
  WriteSettings(10);
}

void NetworkFixture::WriteSettings(int curlTimeout, const std::string& certFolder, const std::string& projectFolder) {
  std::ostringstream text;
  text << "[Config]\nCurlTimeout=" << curlTimeout << "\n[DIRECTORIES]\nTRACKINGLOG=" << logFolder
       << "\nCERT=" << certFolder << "\nPROJECT=" << projectFolder << "\n[LOG]\nLogFileDeep=1\n";
  ASSERT_TRUE(testing_support::WriteWholeFile(program + "/CorvexV0.inf", text.str()));
}

void NetworkFixture::StartServers() {
  m_httpsServer = std::make_unique<LoopbackServer>(https, "https");
  m_httpServer = std::make_unique<LoopbackServer>(http, "http");
}

std::vector<std::string> NetworkFixture::Probe(const std::vector<std::string>& commands) {
  const testing_support::ChildResult result = testing_support::RunProgram(program + "/network_probe", commands, {}, 60);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  std::vector<std::string> lines;
  std::istringstream in(result.output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string NetworkFixture::LogText() const {
  return testing_support::ReadWholeFile(logFolder + "/Norvasta - Tamberlo.log");
}

void NetworkFixture::SetInternetSettings(const std::map<std::string, std::string>& values) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kInternetSettings);
  if (values.empty()) return;
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  for (const auto& [name, value] : values) {
    if (name == "ProxyEnable" || name == "AutoDetect") {
      const DWORD number = static_cast<DWORD>(std::stoul(value));
      RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    } else {
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    }
  }
  RegCloseKey(key);
}
