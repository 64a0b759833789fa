#include "settings_fixture.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include "platform_paths.h"
#include "sample_layout.h"
#include "winprofile.h"

namespace fs = std::filesystem;

namespace {

const char* const kComponentStubs[] = {"CorvexPanelCom.so", "CorvexWiringCom.so", "CorvexPricerCom.so",
                                       "CorvexExportCom.so"};

}  // namespace

void SettingsFixture::LayOut() {
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  fs::remove_all(program);
  LayOutSampleSettings(program);
  for (const char* stub : kComponentStubs)
    fs::copy_file(std::string(CORVEX_PROGRAM_DIR) + "/" + stub, program + "/" + stub);
  fs::copy_file(CORVEX_TEST_BIN_DIR "/settings_probe", program + "/settings_probe");
  testing_support::WriteWholeFile(tmp / "os-release", "NAME=Debian\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
}

Answers SettingsFixture::Probe(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
  std::map<std::string, std::string> fullEnv = {{"CORVEX_PLATFORM_UI", "scripted"},
                                                {"CORVEX_PLATFORM_UI_RECORD", prompts},
                                                {"CORVEX_PLATFORM_OS_RELEASE", tmp / "os-release"},
                                                {"QT_QPA_PLATFORM", "offscreen"}};
  for (const auto& [name, value] : env) fullEnv[name] = value;
  const testing_support::ChildResult result =
      testing_support::RunProgram(program + "/settings_probe", args, fullEnv, 60);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  probeOutput = result.output;
  Answers answers;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    const size_t equal = line.find('=');
    if (equal != std::string::npos) answers.emplace(line.substr(0, equal), line.substr(equal + 1));
  }
  return answers;
}

std::string SettingsFixture::OnDisk(const std::string& file, const char* section, const char* key) {
  std::vector<char> buffer(1 << 16);
  const DWORD count = GetPrivateProfileStringA(section, key, "<missing>", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), count);
}

void SettingsFixture::Write(const std::string& file, const char* section, const char* key, const char* value) {
  platform::MakeFolders(fs::path(file).parent_path().string());
  ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, file.c_str()));
}
