// Loading the sample and its variants in a probe process: queries, members, defaults,
// layers, build stamp and installation check.
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "SettingsSchema.h"
#include "build_stamp.h"
#include "settings_fixture.h"
#include "winprofile.h"
#include "winreg.h"

namespace {

std::string memberName(const SettingSchemaEntry& entry) {
  return std::string("member.") + entry.section + "/" + entry.key;
}

bool registered(const std::string& progId) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyA(HKEY_CURRENT_USER, ("Software\\Classes\\" + progId + "\\CLSID").c_str(), &key);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

class SettingsLoadTest : public SettingsFixture {
 protected:
  // A member's value read directly from its file, or its default.
  std::string Expected(const SettingSchemaEntry& entry) const {
    const std::string file = entry.file == SettingFile::DIRLIST_FILE   ? dirList
                             : entry.file == SettingFile::COUNTRY_FILE ? program + "/LANG.INF"
                                                                       : settingsFile;
    if (entry.size == 0)
      return std::to_string(
          static_cast<int>(GetPrivateProfileIntA(entry.section, entry.key, entry.integerDefault, file.c_str())));
    const std::string value = OnDisk(file, entry.section, entry.key);
    return value == "<missing>" ? entry.textDefault : value;
  }
};

TEST_F(SettingsLoadTest, SampleAnswersEveryQueryAndLoadsEveryMember) {
  const Answers answers = Probe();
  const Answers expected = {
      {"IsInstallOK", "1:<untouched>"},
      {"GetSettingsFile", settingsFile},
      {"GetCurlTimeout", "10"},
      {"IsAuthentActivated", "1"},
      {"DoCefShutdown", "1"},
      {"GetSoftInfo0", "Tamberlo V1.0"},
      {"GetSoftInfo1", "Norvasta - Tamberlo V1.0"},
      {"GetWindowsVersion", "Debian GNU/Linux 12 (bookworm)"},
      {"GetTrackingAction", "1"},
      {"GetNbBoardMax", "255"},
      {"GetUploadSrvHostname", "1:127.0.0.1"},
      {"GetUploadSrvHostPath", "1:/collect"},
      {"GetUploadSrvHostPort", "1:8445"},
      {"GetCorvexTrackingLogDir", "1:" + program + "/Log"},
      {"GetCorvexTrackingDbgDir", "1:" + program + "/Log/Debug"},
      {"QuitCode", "0"},
      {"CountryFile", program + "/LANG.INF"},
      {"ToolsFile", program + "/Data/TOOLS.INF"},
      {"QuickAccessFile", program + "/QUICKACCESS.INF"},
      {"ResumeCellColor", "255"},
      {"Currencies", "3"},
      {"Currency2", "USD|1.08250"},
      {"Hierarchy", "2:Site|Site/Building"},
      {"MetaStage.METASTAGE_RESULT", "Label|Icon=Result|result.png"},
      {"Tool1", "Log folder|logs|xdg-open|" + program + "/Log|0"},
      {"Folders", "3"},
      {"Folder1", "Projects|" + program + "/Projects|PROJECT"},
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(answers.at(name), value) << name;
  // The logger reads the log folder from the settings file itself: both agree.
  EXPECT_EQ("1:" + OnDisk(settingsFile, "DIRECTORIES", "TRACKINGLOG"), answers.at("GetCorvexTrackingLogDir"));
  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    EXPECT_EQ(answers.at(memberName(entry)), Expected(entry)) << memberName(entry);
  }
}

TEST_F(SettingsLoadTest, WithoutAStampTheLibrarysOwnIsWritten) {
  Write(settingsFile, "INFOSCHECKER", "Build", nullptr);
  Probe();
  EXPECT_TRUE(
      std::regex_match(OnDisk(settingsFile, "INFOSCHECKER", "Build"), std::regex("20[0-9]{2}-[01][0-9]-[1-3]?[0-9]")));
}

// An installed program folder belongs to root: a start and an unload leave the files
// the build laid out as they are, and say nothing about them.
TEST_F(SettingsLoadTest, ReadOnlyProgramFolderIsLeftAsItIs) {
  EXPECT_EQ(OnDisk(CORVEX_PROGRAM_DIR "/CorvexV0.inf", "INFOSCHECKER", "Build"), LibraryBuildStamp().str());
  struct stat before = {}, after = {};
  ASSERT_EQ(stat(settingsFile.c_str(), &before), 0);
  const std::string content = testing_support::ReadWholeFile(settingsFile);
  ASSERT_EQ(chmod(settingsFile.c_str(), 0444), 0);
  ASSERT_EQ(chmod(program.c_str(), 0555), 0);
  Probe({"--dlclose"});
  ASSERT_EQ(chmod(program.c_str(), 0755), 0);
  ASSERT_EQ(stat(settingsFile.c_str(), &after), 0);
  EXPECT_EQ(testing_support::ReadWholeFile(settingsFile), content);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(probeOutput.find("not saved"), std::string::npos) << probeOutput;
}

TEST_F(SettingsLoadTest, MissingFilesGiveDefaults) {
  for (const char* variant : {"empty file", "no file", "no companions"}) {
    SCOPED_TRACE(variant);
    LayOut();
    for (const char* companion : {"PELKPELKD.INI", "LANG.INF", "TAMBERLO.INF", "Data"})
      std::filesystem::remove_all(program + "/" + companion);
    const bool keepsSettings = std::string(variant) == "no companions";
    if (!keepsSettings) testing_support::WriteWholeFile(settingsFile, "");
    if (std::string(variant) == "no file") std::filesystem::remove(settingsFile);
    const Answers answers = Probe();
    for (int id = SETTING_InfosBuild + 1; id < SETTING_COUNT; ++id) {
      const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
      if (keepsSettings && entry.file == SettingFile::SETTINGS_FILE) continue;
      const std::string byDefault = entry.size > 0 ? entry.textDefault : std::to_string(entry.integerDefault);
      EXPECT_EQ(answers.at(memberName(entry)), byDefault) << memberName(entry);
    }
    const Answers expected = {
        {"Folders", "0"}, {"Tools", "0"}, {"GetCorvexTrackingLogDir", "0:"}, {"GetSoftInfo1", ""}, {"QuitCode", "1"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(answers.at(name), value) << name;
    if (!keepsSettings) {
      EXPECT_EQ(answers.at("GetUploadSrvHostPort"), "0:0");
    }
  }
}

TEST_F(SettingsLoadTest, UserCopyWinsEmptyUserValueFallsThroughSharedKeysIgnoreIt) {
  const std::string userCopy = userFolder + "/CorvexV0.inf";
  Write(userCopy, "Config", "CurlTimeout", "30");
  Write(userCopy, "Config", "TrackingSrvHostname", "");
  Write(userCopy, "Config", "InstallChecker", "0");
  Write(userCopy, "INFOSCHECKER", "Build", "1999-01-1");
  Write(settingsFile, "INFOSCHECKER", "Build", "2020-01-5");
  const Answers answers = Probe();
  EXPECT_EQ(answers.at("GetCurlTimeout"), "30");
  EXPECT_EQ(answers.at("GetUploadSrvHostname"), "1:127.0.0.1");
  EXPECT_EQ(answers.at("member.Config/InstallChecker"), "1");
  // A stamp that is present is kept.
  EXPECT_EQ(answers.at("member.INFOSCHECKER/Build"), "2020-01-5");
  EXPECT_EQ(OnDisk(settingsFile, "INFOSCHECKER", "Build"), "2020-01-5");
}

TEST_F(SettingsLoadTest, InstallCheckRegistersComponentsOnlyWhenComWasInitialised) {
  Write(settingsFile, "Config", "InstallChecker", nullptr);
  Probe();
  EXPECT_FALSE(registered("Tamberlo.PanelDesigner"));
  EXPECT_EQ(OnDisk(settingsFile, "Config", "InstallChecker"), "1");

  EXPECT_EQ(Probe({"--com-first"}).at("IsInstallOK"), "1:<untouched>");
  for (const char* progId : {"Tamberlo.PanelDesigner", "Tamberlo.WiringEditor", "Tamberlo.Pricer", "Tamberlo.Exporter"})
    EXPECT_TRUE(registered(progId)) << progId;
}

TEST_F(SettingsLoadTest, MissingComponentTurnsTheFlagOffAndStopsTheCheck) {
  std::filesystem::remove(program + "/CorvexWiringCom.so");
  EXPECT_EQ(
      Probe({"--com-first"}).at("IsInstallOK"),
      "0:CorvexWiringCom.so cannot be found, please check your installation.\\nNorvasta Tamberlo must be closed.");
  EXPECT_TRUE(registered("Tamberlo.PanelDesigner"));
  EXPECT_FALSE(registered("Tamberlo.Pricer"));
  EXPECT_FALSE(registered("Tamberlo.Exporter"));
}
