// Loading the sample and its variants in a probe process: queries, members, defaults,
// layers, build stamp and installation check.
#include <filesystem>
#include <regex>

#include "SettingsSchema.h"
#include "settings_fixture.h"
#include "winprofile.h"
#include "winreg.h"

namespace {

using Answers = std::map<std::string, std::string>;

std::string memberName(const SettingSchemaEntry& entry) {
  return std::string("member.") + entry.section + "/" + entry.key;
}

std::string schemaDefault(const SettingSchemaEntry& entry) {
  return entry.size > 0 ? entry.textDefault : std::to_string(entry.integerDefault);
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
  // The value a member must hold: its file's value read directly, else its default.
  std::string Expected(const SettingSchemaEntry& entry) const {
    const std::string file = entry.file == SettingFile::DIRLIST_FILE   ? dirList
                             : entry.file == SettingFile::COUNTRY_FILE ? program + "/LANG.INF"
                                                                       : settingsFile;
    if (entry.size == 0)
      return std::to_string(static_cast<int>(
          GetPrivateProfileIntA(entry.section, entry.key, entry.integerDefault, file.c_str())));
    const std::string value = OnDisk(file, entry.section, entry.key);
    return value == "<missing>" ? entry.textDefault : value;
  }
};

TEST_F(SettingsLoadTest, SampleAnswersEveryQueryAndLoadsEveryMember) {
  const Answers answers = Probe();
  const Answers expected = {
      {"IsInstallOK", "1"},
      {"InstallMessage", "<untouched>"},
      {"GetSettingsFile", settingsFile},
      {"GetCurlTimeout", "10"},
      {"IsAuthentActivated", "1"},
      {"DoCefShutdown", "1"},
      {"GetSoftInfo0", "Tamberlo V1.0"},
      {"GetSoftInfo1", "Norvasta - Tamberlo V1.0"},
      {"GetWindowsVersion", "Debian GNU/Linux 12 (bookworm)"},
      {"GetTrackingAction", "1"},
      {"GetNbBoardMax", "255"},
      {"GetUploadSrvHostname", "1"},
      {"Hostname", "127.0.0.1"},
      {"GetUploadSrvHostPath", "1"},
      {"HostPath", "/collect"},
      {"GetUploadSrvHostPort", "1"},
      {"Port", "8445"},
      {"GetCorvexTrackingLogDir", "1"},
      {"TrackingLogDir", program + "/Log"},
      {"GetCorvexTrackingDbgDir", "1"},
      {"TrackingDbgDir", program + "/Log/Debug"},
      {"QuitCode", "0"},
      {"ProgramFolder", program + "/"},
      {"CountryFile", program + "/LANG.INF"},
      {"DataRoot", program + "/Data/"},
      {"ToolsFile", program + "/Data/TOOLS.INF"},
      {"QuickAccessFile", program + "/QUICKACCESS.INF"},
      {"ForcePriceUpdate", "0"},
      {"ResumeCellColor", "255"},
      {"Currencies", "3"},
      {"Currency2", "USD|1.08250"},
      {"Hierarchy", "Site|Site/Building"},
      {"MetaStages", "2"},
      {"MetaStage.METASTAGE_RESULT", "Label|Icon=Result|result.png"},
      {"Tools", "2"},
      {"Tool1", "Log folder|logs|xdg-open|" + program + "/Log|0"},
      {"Folders", "3"},
      {"Folder1", "Projects|" + program + "/Projects|PROJECT"},
      {"Folder3", "Exports|" + program + "/Export|EXPORT"},
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(answers.at(name), value) << name;
  // The logger reads the log folder from the settings file itself: both agree.
  EXPECT_EQ(OnDisk(settingsFile, "DIRECTORIES", "TRACKINGLOG"), answers.at("TrackingLogDir"));

  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    EXPECT_EQ(answers.at(memberName(entry)), Expected(entry)) << memberName(entry);
  }
  // No stamp in the sample: the build's own is written to the shared file.
  EXPECT_TRUE(std::regex_match(OnDisk(settingsFile, "INFOSCHECKER", "Build"), std::regex("20[0-9]{2}-[01][0-9]-[1-3]?[0-9]")));
}

TEST_F(SettingsLoadTest, MissingFilesGiveDefaults) {
  struct Case {
    const char* name;
    bool removeSettings, emptySettings;
  };
  for (const Case& c : {Case{"empty file", false, true}, Case{"no file", true, false}, Case{"no companions", false, false}}) {
    SCOPED_TRACE(c.name);
    LayOut();
    for (const char* companion : {"PELKPELKD.INI", "LANG.INF", "TAMBERLO.INF", "Data"})
      std::filesystem::remove_all(program + "/" + companion);
    if (c.removeSettings) std::filesystem::remove(settingsFile);
    if (c.emptySettings) testing_support::WriteWholeFile(settingsFile, "");
    const Answers answers = Probe();
    for (int id = 0; id < SETTING_COUNT; ++id) {
      const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
      const bool fromCompanion = entry.file != SettingFile::SETTINGS_FILE;
      if (id == SETTING_InfosBuild || (!fromCompanion && !c.removeSettings && !c.emptySettings)) continue;
      if (id == SETTING_InstallChecker) continue;
      EXPECT_EQ(answers.at(memberName(entry)), schemaDefault(entry)) << memberName(entry);
    }
    EXPECT_EQ(answers.at("Folders"), "0");
    EXPECT_EQ(answers.at("Tools"), "0");
    EXPECT_EQ(answers.at("GetCorvexTrackingLogDir"), "0");
    EXPECT_EQ(answers.at("GetSoftInfo1"), "");
    EXPECT_EQ(answers.at("QuitCode"), "1");
    if (!c.emptySettings && !c.removeSettings) continue;
    EXPECT_EQ(answers.at("GetCurlTimeout"), "10");
    EXPECT_EQ(answers.at("GetNbBoardMax"), "255");
    EXPECT_EQ(answers.at("GetUploadSrvHostPort"), "0");
    EXPECT_EQ(answers.at("Port"), "0");
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
  EXPECT_EQ(answers.at("Hostname"), "127.0.0.1");
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

  const Answers answers = Probe({"--com-first"});
  EXPECT_EQ(answers.at("IsInstallOK"), "1");
  for (const char* progId : {"Tamberlo.PanelDesigner", "Tamberlo.WiringEditor", "Tamberlo.Pricer", "Tamberlo.Exporter"})
    EXPECT_TRUE(registered(progId)) << progId;
}

TEST_F(SettingsLoadTest, MissingComponentTurnsTheFlagOffAndStopsTheCheck) {
  std::filesystem::remove(program + "/CorvexWiringCom.so");
  const Answers answers = Probe({"--com-first"});
  EXPECT_EQ(answers.at("IsInstallOK"), "0");
  EXPECT_EQ(answers.at("InstallMessage"),
            "CorvexWiringCom.so cannot be found, please check your installation.\\nNorvasta Tamberlo must be closed.");
  EXPECT_TRUE(registered("Tamberlo.PanelDesigner"));
  EXPECT_FALSE(registered("Tamberlo.Pricer"));
  EXPECT_FALSE(registered("Tamberlo.Exporter"));
}
