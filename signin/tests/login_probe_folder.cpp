#include "login_probe_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

LoginProbeFolder::LoginProbeFolder() {
  testing_support::RedirectUserAndMachineFolders(m_tmp / "home");
  for (const char* folder : {"prog", "certs", "logs"}) std::filesystem::create_directories(m_tmp / folder);
  std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/login_probe", m_tmp / "prog/login_probe");
  EXPECT_TRUE(testing_support::WriteWholeFile(
      m_tmp / "prog/CorvexV0.inf", "[Config]\nCurlTimeout=20\n[DIRECTORIES]\nTRACKINGLOG=" + (m_tmp / "logs") +
                                       "\nCERT=" + (m_tmp / "certs") + "\n[LOG]\nLogFileDeep=1\n[LOCALINFFILE]\n" +
                                       "SplashScreenFile=" + (m_tmp / "prog/product.inf") + "\n"));
  EXPECT_TRUE(testing_support::WriteWholeFile(m_tmp / "prog/product.inf",
                                              "[SplashScreen]\nProductName=Norvasta - Tamberlo V2026&1\n"));
  EXPECT_TRUE(testing_support::WriteWholeFile(m_tmp / "os-release", "PRETTY_NAME=\"Debian 12 = bookworm\"\n"));
}

std::vector<std::string> LoginProbeFolder::Run(const std::vector<std::string>& args) const {
  const auto result = testing_support::RunProgram(
      m_tmp / "prog/login_probe", args, {{"HOME", Home()}, {"CORVEX_PLATFORM_OS_RELEASE", m_tmp / "os-release"}}, 120);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  std::vector<std::string> lines;
  std::istringstream in(result.output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string LoginProbeFolder::LogText() const {
  return testing_support::ReadWholeFile(m_tmp / "logs/Norvasta - Tamberlo.log");
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}
