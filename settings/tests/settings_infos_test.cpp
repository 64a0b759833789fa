// The information feed: check bookkeeping, import, hand-out and bad files, in probe
// processes. Dates count from today; the build is ten days ago.
#include <time.h>

#include <filesystem>
#include <sstream>

#include "settings_fixture.h"

namespace {

std::string dateFromToday(int days) {
  time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  local.tm_mday += days;
  local.tm_hour = 12;
  mktime(&local);
  char text[32];
  std::snprintf(text, sizeof(text), "%d-%02d-%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return text;
}

}  // namespace

class SettingsInfosTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    Write(settingsFile, "INFOSCHECKER", "Build", build.c_str());
  }
  Answers Do(std::vector<std::string> commands) {
    commands.insert(commands.begin(), "--do");
    return Probe(commands);
  }
  void Feed(const std::string& content) { testing_support::WriteWholeFile(program + "/TamberloInfos.csv", content); }
  // The entry's line in the settings file as it is written, "<missing>" when absent.
  std::string Stored(const std::string& id) const {
    std::istringstream lines(testing_support::ReadWholeFile(settingsFile));
    for (std::string line; std::getline(lines, line);)
      if (line.compare(0, id.size() + 1, id + "=") == 0) return line.substr(id.size() + 1);
    return "<missing>";
  }
  // Every line outside "INFOSDATA", "LastCheck" aside.
  std::string OtherSettings() const {
    std::istringstream lines(testing_support::ReadWholeFile(settingsFile));
    std::string other;
    bool inStore = false;
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line[0] == '[') inStore = line == "[INFOSDATA]";
      if (!inStore && line.compare(0, 10, "LastCheck=") != 0) other += line + "\n";
    }
    return other;
  }

  const std::string build = dateFromToday(-10);
  const std::string today = dateFromToday(0);
  const std::string later = dateFromToday(-5);
};

TEST_F(SettingsInfosTest, CheckFallsDueAfterFrequencyDays) {
  const struct {
    int buildDay;
    const char* lastCheck;  // null: absent
    const char* due;
  } cases[] = {{-2, nullptr, "0"}, {-3, nullptr, "1"},      {-10, "-2", "0"}, {-10, "-3", "1"},
               {-10, "x", "1"},    {-10, "2026-13-1", "1"}, {-10, "+5", "0"}};
  for (const auto& c : cases) {
    const std::string lastCheck = !c.lastCheck ? ""
                                  : (c.lastCheck[0] == '-' || c.lastCheck[0] == '+')
                                      ? dateFromToday(std::atoi(c.lastCheck))
                                      : c.lastCheck;
    SCOPED_TRACE(lastCheck);
    Write(settingsFile, "INFOSCHECKER", "Build", dateFromToday(c.buildDay).c_str());
    Write(settingsFile, "INFOSCHECKER", "LastCheck", c.lastCheck ? lastCheck.c_str() : nullptr);
    EXPECT_EQ(Do({"HasToCheckInfos"}).at("HasToCheckInfos"), c.due);
  }
}

TEST_F(SettingsInfosTest, ImportStoresNewEntriesOnceAndHandsThemOut) {
  Write(settingsFile, "INFOSDATA", "known", "0");
  const std::string d = ";" + later + ";";
  Feed("n1" + d +
       "1;Hello {you};Second;Third;img/a.png, https://cdn.example/x.png;extra\n"
       "onbuild;" +
       build +
       ";1;On build;;;;\n"
       "old;" +
       dateFromToday(-11) +
       ";1;Old;;;;\n"
       "w;0\n"
       "known" +
       d +
       "1;Known;;;;\n"
       "q" +
       d +
       "0;\"a;b\";x;y;;z\n"
       "[x]" +
       d +
       "1;Bad\n"
       "a=b" +
       d +
       "1;Bad\n"
       "\";c\"" +
       d +
       "1;Bad\n"
       " d" +
       d +
       "1;Bad\n"
       "\"e\"\"\"" +
       d + "1;Bad\n" + d.substr(1) +
       "1;NoId\n"
       "bd1;2026-13-1;1;Bad\n"
       "bd2;soon;1;Bad\n"
       "bd3;;1;Bad\n"
       "s" +
       d +
       "1;Std;;;_STD_/Img/p.png;\n"
       "up" +
       d +
       "1;Up;;;../../x.png,_STD_/_STD_/y.png,Img\\b.png;\n"
       "../x" +
       d + "1;Dots;;Third;;\n");
  const Answers answers = Do({"GetInfosFileURL=https://repo.example/", "ReadInfosFile"});
  const std::string base = "https://repo.example/France/";
  const std::string local = program + "/";
  EXPECT_EQ(answers.at("ReadInfosFile"), "1:" + base + "img/a.png," + base + "q.txt," + base + "_STD_/Img/p.png," +
                                             base + "Img/b.png|" + local + "img/a.png," + local + "q.txt," + local +
                                             "../Img/p.png," + local + "Img/b.png");
  const std::string stored[][2] = {{"n1", "\"" + today + ";1;Hello {you};Second;Third;img/a.png;extra\""},
                                   {"w", "0"},
                                   {"known", "0"},
                                   {"q", "\"" + today + ";0;a,b;x;y;;z\""},
                                   {"s", "\"" + today + ";1;Std;;;_STD_/Img/p.png;\""},
                                   {"up", "\"" + today + ";1;Up;;;../../x.png;\""},
                                   {"../x", "\"" + today + ";1;Dots;;Third;;\""}};
  for (const auto& [id, value] : stored) EXPECT_EQ(Stored(id), value) << id;
  static const char kKeys[] = "known\0n1\0w\0q\0s\0up\0../x\0";
  EXPECT_EQ(OnDisk(settingsFile, "INFOSDATA", nullptr), std::string(kKeys, sizeof(kKeys) - 1));
  EXPECT_EQ(OnDisk(settingsFile, "INFOSCHECKER", "LastCheck"), today);

  const Answers shown = Do({"GetFirstInfos", "GetFirstInfos", "GetFirstInfos"});
  EXPECT_EQ(shown.at("GetFirstInfos"), "1:Hello \ayou\a|Second|Third|" + local + "img/a.png");
  EXPECT_EQ(shown.at("GetFirstInfos#2"), "1:a,b|x|y|");  // shown at every call
  EXPECT_EQ(shown.at("GetFirstInfos#3"), "1:a,b|x|y|");
  EXPECT_EQ(Stored("n1"), "0");  // shown once

  Write(settingsFile, "INFOSDATA", "q", "0");
  EXPECT_EQ(Do({"GetFirstInfos", "GetFirstInfos"}).at("GetFirstInfos#2"), "1:Up|||");  // its picture is outside
  Feed("s;0\nn1" + d + "1;Again;;;;\n");
  Do({"ReadInfosFile"});
  EXPECT_EQ(Stored("s"), "0");
  EXPECT_EQ(Stored("n1"), "0");
}

// Each hand-out of an entry shown once rewrites the settings file: the first 9,900 of
// the 10,000 entries are stored as shown already.
TEST_F(SettingsInfosTest, EntriesFarDownALongStoreAreHandedOutWholeAndInOrder) {
  std::string store = "[INFOSDATA]\n", expected;
  const std::string longText(6000, 'x');
  for (int i = 0; i < 10000; ++i) {
    const std::string first = i == 9999 ? longText : "First" + std::to_string(i);
    store += "entry" + std::to_string(i) + "=" + (i < 9900 ? "0" : "\"" + today + ";1;" + first + ";;;;\"") + "\n";
    if (i >= 9900) expected += (i > 9900 ? "," : "") + first;
  }
  testing_support::WriteWholeFile(settingsFile, testing_support::ReadWholeFile(settingsFile) + store);
  EXPECT_EQ(Do({"DrainFirstInfos=101"}).at("DrainFirstInfos"), "100:" + expected);
}

TEST_F(SettingsInfosTest, BadFilesSkipTheirBadLinesAndLeaveTheSettingsIntact) {
  const std::string good = "good;" + later + ";1;Good;;;;\n";
  const std::string d = ";" + later + ";1;";
  const struct {
    const char* name;
    std::function<void()> feed;
  } cases[] = {
      {"NUL", [&] { Feed("nul" + d + std::string("A\0B", 3) + "\n" + good); }},
      {"invalid UTF-8",
       [&] {
         Feed("utf" + d +
              "\xC3\x28\n"
              "sur" +
              d + "\xED\xA0\x80\n" + good);
       }},
      {"carriage return", [&] { Feed("cr" + d + "A\rB\n" + good.substr(0, good.size() - 1) + "\r\n"); }},
      {"over-long line", [&] { Feed("long" + d + std::string(70000, 'x') + "\n" + good); }},
      {"50 MB",
       [&] {
         std::string junk;
         for (int i = 0; junk.size() < (50u << 20); ++i)
           junk += "junk" + std::to_string(i) + ";soon;1;" + std::string(80, 'j') + "\n";
         Feed(junk + good);
       }},
  };
  const std::string before = OtherSettings();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Write(settingsFile, "INFOSDATA", nullptr, nullptr);
    c.feed();
    EXPECT_EQ(Do({"ReadInfosFile"}).at("ReadInfosFile"), "1:|");
    EXPECT_EQ(Stored("good"), "\"" + today + ";1;Good;;;;\"");
    EXPECT_EQ(OnDisk(settingsFile, "INFOSDATA", nullptr), std::string("good\0", 5));
    EXPECT_EQ(OtherSettings(), before);
  }
  std::filesystem::remove(program + "/TamberloInfos.csv");
  Write(settingsFile, "INFOSCHECKER", "LastCheck", "2020-01-1");
  EXPECT_EQ(Do({"ReadInfosFile"}).at("ReadInfosFile"), "exception");
  EXPECT_EQ(OnDisk(settingsFile, "INFOSCHECKER", "LastCheck"), "2020-01-1");
}

TEST_F(SettingsInfosTest, RepositoriesAndNames) {
  Write(settingsFile, "Config", "DOWNLOAD_IMAGE", "ppr");
  const Answers answers =
      Do({"GetRepositoryURL=loc", "GetRepositoryURL=Dev", "GetRepositoryURL=<null>", "GetRepositoryURL=PROD",
          "GetRepositoryURL=other", "GetInfosFileURL=https://a/", "GetInfosFileURL=https://b/", "GetInfosFilePath"});
  EXPECT_EQ(answers.at("GetRepositoryURL"), "https://127.0.0.1/Tamberlo/");
  EXPECT_EQ(answers.at("GetRepositoryURL#2"), "https://127.0.0.1:8446/infos/dev/");
  EXPECT_EQ(answers.at("GetRepositoryURL#3"), "https://127.0.0.1:8446/infos/ppr/");
  EXPECT_EQ(answers.at("GetRepositoryURL#4"), "https://127.0.0.1:8446/infos/prod/");
  EXPECT_EQ(answers.at("GetRepositoryURL#5"), "https://127.0.0.1:8446/infos/prod/");
  EXPECT_EQ(answers.at("GetInfosFileURL"), "https://a/France/TamberloInfos.csv");
  EXPECT_EQ(answers.at("GetInfosFileURL#2"), "https://a/France/TamberloInfos.csv");
  EXPECT_EQ(answers.at("GetInfosFilePath"), program + "/TamberloInfos.csv");
}
