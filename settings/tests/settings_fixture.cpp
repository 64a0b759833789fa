#include "settings_fixture.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include "platform_paths.h"
#include "winprofile.h"

namespace fs = std::filesystem;

namespace {

const char* const kComponentStubs[] = {"CorvexPanelCom.so", "CorvexWiringCom.so", "CorvexPricerCom.so",
                                       "CorvexExportCom.so"};

void fillTemplate(const fs::path& from, const fs::path& to, const std::string& programFolder) {
  std::string text = testing_support::ReadWholeFile(from.string());
  const std::string marker = "@PROGRAM_DIR@";
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + programFolder.size()))
    text.replace(at, marker.size(), programFolder);
  fs::create_directories(to.parent_path());
  testing_support::WriteWholeFile(to.string(), text);
}

}  // namespace

void SettingsFixture::LayOut() {
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  fs::remove_all(program);
  for (const auto& entry : fs::recursive_directory_iterator(CORVEX_SETTINGS_SAMPLE_DIR)) {
    if (entry.is_regular_file())
      fillTemplate(entry.path(), program / fs::relative(entry.path(), CORVEX_SETTINGS_SAMPLE_DIR), program);
  }
  for (const char* stub : kComponentStubs)
    fs::copy_file(std::string(CORVEX_PROGRAM_DIR) + "/" + stub, program + "/" + stub);
  fs::copy_file(CORVEX_TEST_BIN_DIR "/settings_probe", program + "/settings_probe");
  testing_support::WriteWholeFile(tmp / "os-release", "NAME=Debian\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
}

std::map<std::string, std::string> SettingsFixture::Probe(const std::vector<std::string>& args,
                                                          const std::map<std::string, std::string>& env,
                                                          int expectedExit) {
  std::map<std::string, std::string> fullEnv = {{"CORVEX_PLATFORM_UI", "scripted"},
                                                {"CORVEX_PLATFORM_UI_RECORD", prompts},
                                                {"CORVEX_PLATFORM_OS_RELEASE", tmp / "os-release"},
                                                {"QT_QPA_PLATFORM", "offscreen"}};
  for (const auto& [name, value] : env) fullEnv[name] = value;
  const testing_support::ChildResult result = testing_support::RunProgram(program + "/settings_probe", args, fullEnv, 60);
  EXPECT_EQ(result.exitCode, expectedExit) << result.output;
  std::map<std::string, std::string> answers;
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
