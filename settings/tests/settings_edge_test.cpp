// Folder correction, lists, product name, unload, numbers and bad input, each in a
// probe process over a changed sample.
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform_ui.h"
#include "settings_fixture.h"
#include "winprofile.h"

namespace fs = std::filesystem;
using Answers = std::map<std::string, std::string>;

class SettingsEdgeTest : public SettingsFixture {};

TEST_F(SettingsEdgeTest, FoldersInTheSystemFolderMoveToTheDocumentsFolder) {
  const std::string userDirList = userFolder + "/PELKPELKD.INI";
  Write(dirList, "DIRECTORIES", "TRACKINGLOG", (systemFolder + "/TamberloLog").c_str());
  Write(userDirList, "DIRECTORIES", "TRACKINGDBG", (systemFolder + "/UserDbg").c_str());
  Write(dirList, "DIRECTORIES", "AUTOSAVE", (systemFolder + "64/AutoSave").c_str());
  Write(dirList, "DIRECTORIES", "TMP", (systemFolder + "/Missing/Tmp").c_str());
  Write(dirList, "DIRECTORIES", "DEFAULT", systemFolder.c_str());
  const Answers answers = Probe();

  EXPECT_EQ(answers.at("TrackingLogDir"), documents + "/TamberloLog");
  EXPECT_TRUE(fs::is_directory(documents + "/TamberloLog"));
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TRACKINGLOG"), documents + "/TamberloLog");
  EXPECT_EQ(answers.at("TrackingDbgDir"), documents + "/UserDbg");
  EXPECT_EQ(OnDisk(userDirList, "DIRECTORIES", "TRACKINGDBG"), documents + "/UserDbg");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TRACKINGDBG"), program + "/Log/Debug");
  EXPECT_EQ(answers.at("member.DIRECTORIES/AUTOSAVE"), systemFolder + "64/AutoSave");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "TMP"), systemFolder + "/Missing/Tmp");  // could not be created
  EXPECT_EQ(answers.at("member.DIRECTORIES/DEFAULT"), documents);
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "DEFAULT"), documents);
  EXPECT_EQ(answers.at("Folder2"), "Temporary files|" + documents + "/Missing/Tmp|TMP");
}

TEST_F(SettingsEdgeTest, WithoutDocumentsFolderFoldersLoadUncorrected) {
  testing_support::WriteWholeFile(tmp / "blocker", "");
  Write(dirList, "DIRECTORIES", "TRACKINGLOG", (systemFolder + "/TamberloLog").c_str());
  const Answers answers = Probe({}, {{"HOME", tmp / "blocker/home"}});
  EXPECT_EQ(answers.at("TrackingLogDir"), systemFolder + "/TamberloLog");
  EXPECT_EQ(answers.at("TrackingDbgDir"), program + "/Log/Debug");
  EXPECT_EQ(answers.at("Folders"), "3");
}

TEST_F(SettingsEdgeTest, ListsStopAtTheFirstGap) {
  Write(settingsFile, "DEFAULT", "VMoney2", nullptr);
  Write(settingsFile, "DEFAULT", "ForcePriceUpdate", "1");
  Write(program + "/Data/TOOLS.INF", "TOOLS", "TITLE2", "");
  Write(program + "/Data/TOOLS.INF", "TOOLS", "TITLE3", "Third");
  Answers answers = Probe();
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
  EXPECT_EQ(answers.at("GetUploadSrvHostPort"), "0");
  EXPECT_EQ(answers.at("Port"), "0");
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
  for (const char* ending : {"exit", "--dlclose"}) {
    SCOPED_TRACE(ending);
    LayOut();
    fs::remove_all(userFolder);
    std::vector<std::string> args = {"--user", "Ada", "Lovelace", "42"};
    if (std::string(ending) == "--dlclose") args.push_back(ending);
    Probe(args);
    EXPECT_EQ(OnDisk(userFolder + "/CorvexV0.inf", "UserInfo", "firstname"), "Ada");
    EXPECT_EQ(OnDisk(userFolder + "/CorvexV0.inf", "UserInfo", "lastName"), "Lovelace");
    EXPECT_EQ(OnDisk(userFolder + "/CorvexV0.inf", "UserInfo", "id"), "42");
    EXPECT_EQ(OnDisk(settingsFile, "UserInfo", "id"), "<missing>");
  }
}

TEST_F(SettingsEdgeTest, RatesReadTheSameUnderAGermanLocale) {
  const Answers answers = Probe({}, {{"LC_ALL", "de_DE.UTF-8"}});
  EXPECT_EQ(answers.at("Currency2"), "USD|1.08250");
  EXPECT_EQ(answers.at("Currency3"), "GBP|0.85610");
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
  struct Case {
    const char* name;
    std::function<void()> damage;
    const char* answer;
    std::string expected;
  };
  static const char kNulLines[] = "[Config]\0\0CurlTimeout=3\0\n";
  std::string crlf;
  for (char ch : sample) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  const std::vector<Case> cases = {
      {"CRLF ends", [&] { testing_support::WriteWholeFile(settingsFile, crlf); }, "member.GENERAL/SoftName", "Tamberlo"},
      {"NUL bytes", [&] { testing_support::WriteWholeFile(settingsFile, std::string(kNulLines, sizeof(kNulLines) - 1) + sample); },
       "GetNbBoardMax", "255"},
      {"garbage",
       [&] {
         std::string noise(1 << 16, '\0');
         for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
         testing_support::WriteWholeFile(settingsFile, noise);
       },
       "GetCurlTimeout", "10"},
      {"50 MB",
       [&] {
         std::ofstream out(settingsFile, std::ios::app);
         out << "[JUNK]\n";
         for (int i = 0; out.tellp() < 50 << 20; ++i) out << "Key" << i << "=" << std::string(200, 'v') << "\n";
       },
       "GetCurlTimeout", "10"},
      {"folder", [&] { fs::remove(settingsFile), fs::create_directory(settingsFile); }, "GetCurlTimeout", "10"},
      {"unreadable", [&] { fs::permissions(settingsFile, fs::perms::none); }, "GetNbBoardMax", "255"},
      {"dir list is the settings file", [&] { Write(settingsFile, "SHAREDINIFILE", "DirList", settingsFile.c_str()); },
       "TrackingLogDir", program + "/Log"},
      {"huge count", [&] { Write(settingsFile, "CORVEXSTAGEDESIGN", "HierarchieCount", "2147483647"); },
       "HierarchyCount", "1024"},
      {"negative count", [&] { Write(settingsFile, "CORVEXSTAGEDESIGN", "HierarchieCount", "-5"); }, "HierarchyCount", "0"},
      {"12ab", [&] { Write(settingsFile, "Config", "CurlTimeout", "12ab"); }, "GetCurlTimeout", "12"},
      {"ab", [&] { Write(settingsFile, "Config", "CurlTimeout", "ab"); }, "GetCurlTimeout", "0"},
      {"long value", [&] { Write(settingsFile, "GENERAL", "SoftName", std::string(300, 's').c_str()); },
       "member.GENERAL/SoftName", std::string(127, 's')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LayOut();
    c.damage();
    EXPECT_EQ(Probe().at(c.answer), c.expected);
  }
}
