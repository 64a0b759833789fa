// Folder correction, lists, product name, unload, numbers and bad input, each in a
// probe process over a changed sample.
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform_ui.h"
#include "settings_fixture.h"

namespace fs = std::filesystem;

class SettingsEdgeTest : public SettingsFixture {};

TEST_F(SettingsEdgeTest, FoldersInTheSystemFolderMoveToTheDocumentsFolder) {
  const std::string userDirList = userFolder + "/PELKPELKD.INI";
  Write(dirList, "DIRECTORIES", "TRACKINGLOG", (systemFolder + "/TamberloLog").c_str());
  Write(userDirList, "DIRECTORIES", "TRACKINGDBG", (systemFolder + "/UserDbg").c_str());
  Write(dirList, "DIRECTORIES", "AUTOSAVE", (systemFolder + "64/AutoSave").c_str());
  Write(dirList, "DIRECTORIES", "TMP", (systemFolder + "/Missing/Tmp").c_str());
  Write(dirList, "DIRECTORIES", "DEFAULT", systemFolder.c_str());
  testing_support::WriteWholeFile(program + "/PELKPELKD.err", "stale report");
  const Answers answers = Probe();
  EXPECT_FALSE(fs::exists(program + "/PELKPELKD.err"));

  EXPECT_EQ(answers.at("GetCorvexTrackingLogDir"), "1:" + documents + "/TamberloLog");
  EXPECT_TRUE(fs::is_directory(documents + "/TamberloLog"));
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TRACKINGLOG"), documents + "/TamberloLog");
  EXPECT_EQ(answers.at("GetCorvexTrackingDbgDir"), "1:" + documents + "/UserDbg");
  EXPECT_EQ(OnDisk(userDirList, "DIRECTORIES", "TRACKINGDBG"), documents + "/UserDbg");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TRACKINGDBG"), program + "/Log/Debug");
  EXPECT_EQ(answers.at("member.DIRECTORIES/AUTOSAVE"), systemFolder + "64/AutoSave");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TMP"), systemFolder + "/Missing/Tmp");  // could not be created
  EXPECT_EQ(answers.at("Folder2"), "Temporary files|" + documents + "/Missing/Tmp|TMP");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "DEFAULT"), documents);
}

TEST_F(SettingsEdgeTest, WithoutDocumentsFolderFoldersLoadUncorrected) {
  testing_support::WriteWholeFile(tmp / "blocker", "");
  Write(dirList, "DIRECTORIES", "TRACKINGLOG", (systemFolder + "/TamberloLog").c_str());
  const Answers answers = Probe({}, {{"HOME", tmp / "blocker/home"}});
  EXPECT_EQ(answers.at("GetCorvexTrackingLogDir"), "1:" + systemFolder + "/TamberloLog");
  EXPECT_EQ(answers.at("Folders"), "3");
}

TEST_F(SettingsEdgeTest, ListsStopAtTheFirstGap) {
  Write(settingsFile, "DEFAULT", "VMoney2", nullptr);
  Write(settingsFile, "DEFAULT", "ForcePriceUpdate", "1");
  Write(program + "/Data/TOOLS.INF", "TOOLS", "TITLE2", "");
  Write(program + "/Data/TOOLS.INF", "TOOLS", "TITLE3", "Third");
  const Answers answers = Probe();
  EXPECT_EQ(answers.at("Currencies"), "1");
  EXPECT_EQ(answers.at("ForcePriceUpdate"), "1");
  EXPECT_EQ(answers.at("Tools"), "1");
  Write(settingsFile, "DEFAULT", "ForcePriceUpdate", "01");
  EXPECT_EQ(Probe().at("ForcePriceUpdate"), "0");
}

TEST_F(SettingsEdgeTest, ProductNameAndPort) {
  const std::string product = program + "/TAMBERLO.INF";
  Write(product, "SplashScreen", "ProductName", "Tamberlo Designer");
  Write(settingsFile, "Config", "TrackingSrvHostPort", nullptr);
  Answers answers = Probe();
  EXPECT_EQ(answers.at("GetSoftInfo0"), "Tamberlo Designer");
  EXPECT_EQ(answers.at("GetSoftInfo1"), "Tamberlo Designer");
  EXPECT_EQ(answers.at("GetUploadSrvHostPort"), "0:0");
  EXPECT_TRUE(platform::ui::ReadRecordFile(prompts).empty());

  Write(product, "SplashScreen", "ProductName", "");
  answers = Probe();
  EXPECT_EQ(answers.at("GetSoftInfo0"), "");
  EXPECT_EQ(answers.at("QuitCode"), "1");
  const auto boxes = platform::ui::ReadRecordFile(prompts);
  ASSERT_EQ(boxes.size(), 2u);  // one per GetSoftInfo call
  EXPECT_EQ(boxes[0].Field("text"), "Bad settings (ProductName), please check your installation");
}

TEST_F(SettingsEdgeTest, UnloadWritesTheUserInformationToTheUserCopyOnly) {
  for (const std::string ending : {"", "--dlclose"}) {
    SCOPED_TRACE(ending);
    LayOut();
    fs::remove_all(userFolder);
    std::vector<std::string> args = {"--user", "Ada", "Lovelace", "42"};
    if (!ending.empty()) args.push_back(ending);
    Probe(args);
    const std::string userCopy = userFolder + "/CorvexV0.inf";
    EXPECT_EQ(OnDisk(userCopy, "UserInfo", "firstname") + OnDisk(userCopy, "UserInfo", "lastName") +
                  OnDisk(userCopy, "UserInfo", "id"),
              "AdaLovelace42");
    EXPECT_EQ(OnDisk(settingsFile, "UserInfo", "id"), "<missing>");
  }
}

TEST_F(SettingsEdgeTest, RatesReadTheSameUnderAGermanLocale) {
  EXPECT_EQ(Probe({}, {{"LC_ALL", "de_DE.UTF-8"}}).at("Currency2"), "USD|1.08250");
}

TEST_F(SettingsEdgeTest, WindowsVersionStopsAtTheBuffer) {
  for (size_t length : {1023u, 1024u}) {
    const std::string name(length, 'x');
    testing_support::WriteWholeFile(tmp / "os-release", "PRETTY_NAME=\"" + name + "\"\n");
    EXPECT_EQ(Probe().at("GetWindowsVersion"), length == 1023 ? name : "") << length;
  }
}

TEST_F(SettingsEdgeTest, BadInputLoadsWithoutCrashing) {
  const std::string sample = testing_support::ReadWholeFile(settingsFile);
  static const char kNulLines[] = "[Config]\0\0CurlTimeout=3\0\n";
  std::string crlf, noise(1 << 16, '\0');
  for (char ch : sample) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
  const auto setting = [&](const char* section, const char* key, const std::string& value) {
    return [=] { Write(settingsFile, section, key, value.c_str()); };
  };
  const auto content = [&](const std::string& text) {
    return [=] { testing_support::WriteWholeFile(settingsFile, text); };
  };
  const struct {
    const char* name;
    std::function<void()> damage;
    const char* answer;
    std::string expected;
  } cases[] = {
      {"CRLF ends", content(crlf), "member.GENERAL/SoftName", "Tamberlo"},
      {"NUL bytes", content(std::string(kNulLines, sizeof(kNulLines) - 1) + sample), "GetNbBoardMax", "255"},
      {"garbage", content(noise), "GetCurlTimeout", "10"},
      {"50 MB",
       [&] {
         std::ofstream out(settingsFile, std::ios::app);
         out << "[JUNK]\n";
         for (int i = 0; out.tellp() < 50 << 20; ++i) out << "Key" << i << "=" << std::string(200, 'v') << "\n";
       },
       "GetCurlTimeout", "10"},
      {"folder", [&] { fs::remove(settingsFile), fs::create_directory(settingsFile); }, "GetCurlTimeout", "10"},
      {"unreadable", [&] { fs::permissions(settingsFile, fs::perms::none); }, "GetNbBoardMax", "255"},
      {"dir list is the settings file", setting("SHAREDINIFILE", "DirList", settingsFile), "GetCorvexTrackingLogDir",
       "1:" + program + "/Log"},
      {"huge count", setting("CORVEXSTAGEDESIGN", "HierarchieCount", "2147483647"), "Hierarchy", "1024:"},
      {"negative count", setting("CORVEXSTAGEDESIGN", "HierarchieCount", "-5"), "Hierarchy", "0:"},
      {"12ab", setting("Config", "CurlTimeout", "12ab"), "GetCurlTimeout", "12"},
      {"ab", setting("Config", "CurlTimeout", "ab"), "GetCurlTimeout", "0"},
      {"long value", setting("GENERAL", "SoftName", std::string(300, 's')), "member.GENERAL/SoftName",
       std::string(127, 's')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LayOut();
    c.damage();
    EXPECT_EQ(Probe().at(c.answer).substr(0, c.expected.size()), c.expected);
  }
}
