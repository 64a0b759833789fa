#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "test_support.h"

using testing_support::ChildResult;
using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

const char kLogName[] = "Norvasta - Tamberlo";
const std::regex kLine(
    R"(^(\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2}) \(GMT[+-]\d{2}:\d{2}\) - ([UDA]) - (Info|Warning|Error|Fatal|Track) - ([^:]*): (.*)$)");

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class LoggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(tmp / "prog");
    program = tmp / "prog/logger_writer";
    std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/logger_writer", program);
    logs = tmp / "logs";
    setSettings("");
  }

  void setSettings(const std::string& logSection, const std::string& folder = "") {
    ASSERT_TRUE(WriteWholeFile(tmp / "prog/CorvexV0.inf",
                               "[DIRECTORIES]\nTRACKINGLOG=" + (folder.empty() ? logs : folder) + "\n[LOG]\n" + logSection));
  }

  ChildResult run(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {}) {
    ChildResult result = testing_support::RunProgram(program, args, env);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result;
  }

  std::string logPath() const { return logs + "/" + kLogName + ".log"; }
  std::string archivePath(int n) const { return logs + "/" + kLogName + "." + std::to_string(n) + ".log"; }
  bool exists(const std::string& path) const { return std::filesystem::exists(path); }

  TempFolder tmp;
  std::string program, logs;
};

TEST_F(LoggerTest, EachLevelAndScopeWritesOneWellFormedLine) {
  struct Case {
    const char* level;
    const char* scope;
    const char* letter;
    const char* text;
  } cases[] = {{"info", "0", "U", "Info"},   {"warning", "1", "D", "Warning"}, {"error", "2", "A", "Error"},
               {"fatal", "7", "A", "Fatal"}, {"track", "1", "D", "Track"}};
  for (const Case& c : cases) run({"line", c.level, c.scope, "Title", "some text: with colon"});
  run({"raw", "raw data line"});
  run({"line", "info", "1", "@NULL", "text"});
  run({"line", "info", "1", "Title", "@NULL"});

  std::vector<std::string> lines = splitLines(ReadWholeFile(logPath()));
  ASSERT_EQ(lines.size(), 6u);
  const time_t now = time(nullptr);
  for (size_t i = 0; i < 5; ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, kLine)) << lines[i];
    EXPECT_EQ(m[2], cases[i].letter);
    EXPECT_EQ(m[3], cases[i].text);
    EXPECT_EQ(m[4], "Title");
    EXPECT_EQ(m[5], "some text: with colon");
    struct tm stamp = {};
    ASSERT_NE(strptime(m[1].str().c_str(), "%d-%m-%Y %H:%M:%S", &stamp), nullptr);
    stamp.tm_isdst = -1;
    EXPECT_LE(std::abs(difftime(now, mktime(&stamp))), 5.0);
  }
  EXPECT_EQ(lines[5], "raw data line");
}

TEST_F(LoggerTest, ZoneSuffixIsTheStandardOffset) {
  const std::map<std::string, std::string> zones = {{"IST-5:30", "(GMT+05:30)"},
                                                    {"NST3:30", "(GMT-03:30)"},
                                                    {"UTC0", "(GMT+00:00)"},
                                                    {"CET-1CEST,M3.5.0,M10.5.0/3", "(GMT+01:00)"}};
  for (const auto& [zone, suffix] : zones) {
    std::filesystem::remove(logPath());
    run({"line", "info", "1", "Zone", "x"}, {{"TZ", zone}});
    EXPECT_NE(ReadWholeFile(logPath()).find(suffix), std::string::npos) << zone;
  }
}

TEST_F(LoggerTest, LongLinesAndAnyBytesAreWrittenWhole) {
  run({"big", "1048576"});
  std::vector<std::string> lines = splitLines(ReadWholeFile(logPath()));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), lines[0].find("Big: ") + 5 + 1048576u);
}

TEST_F(LoggerTest, RotatesOnlyPastTheLimit) {
  setSettings("LogFileMaxSize=1\nLogFileMaxNumber=5\n");
  std::filesystem::create_directories(logs);
  WriteWholeFile(logPath(), std::string(1024, 'x'));
  run({"line", "info", "1", "T", "first"});
  EXPECT_FALSE(exists(archivePath(1)));  // exactly the limit: kept
  run({"line", "info", "1", "T", "second"});
  ASSERT_TRUE(exists(archivePath(1)));
  EXPECT_EQ(ReadWholeFile(archivePath(1)).substr(0, 1024), std::string(1024, 'x'));
  EXPECT_EQ(splitLines(ReadWholeFile(logPath())).size(), 1u);
}

TEST_F(LoggerTest, RotationShiftsArchivesAndDropsTheOldest) {
  setSettings("LogFileMaxSize=0\nLogFileMaxNumber=5\n");
  std::filesystem::create_directories(logs);
  for (int n = 1; n <= 5; ++n) WriteWholeFile(archivePath(n), "archive " + std::to_string(n));
  WriteWholeFile(logPath(), "old log");
  run({"line", "info", "1", "T", "new"});
  EXPECT_EQ(ReadWholeFile(archivePath(1)), "old log");
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(ReadWholeFile(archivePath(n)), "archive " + std::to_string(n - 1));
  EXPECT_FALSE(exists(archivePath(6)));
  EXPECT_NE(ReadWholeFile(logPath()).find("T: new"), std::string::npos);
}

TEST_F(LoggerTest, NoArchivesKeptMovesTheLogOnlyToAFreeFirstArchive) {
  setSettings("LogFileMaxSize=0\nLogFileMaxNumber=0\n");
  std::filesystem::create_directories(logs);
  WriteWholeFile(logPath(), "old log");
  run({"line", "info", "1", "T", "one"});
  EXPECT_EQ(ReadWholeFile(archivePath(1)), "old log");
  run({"line", "info", "1", "T", "two"});  // archive 1 taken: the log keeps growing
  EXPECT_EQ(ReadWholeFile(archivePath(1)), "old log");
  EXPECT_EQ(splitLines(ReadWholeFile(logPath())).size(), 2u);
}

TEST_F(LoggerTest, FailedRenameStillWritesTheLineAndSettingsActOnTheNextLine) {
  setSettings("LogFileMaxSize=0\nLogFileMaxNumber=1\n");
  std::filesystem::create_directories(archivePath(1) + "/busy");  // a folder the rotation cannot remove
  WriteWholeFile(logPath(), "old\n");
  run({"line", "info", "1", "T", "kept"});
  EXPECT_NE(ReadWholeFile(logPath()).find("T: kept"), std::string::npos);

  std::filesystem::remove_all(archivePath(1));
  std::filesystem::remove(logPath());
  setSettings("LogFileMaxSize=1024\nLogFileMaxNumber=2\n");
  run({"resize", "0"});  // first line under 1 MiB, then a limit of 0 rotates before the second
  EXPECT_NE(ReadWholeFile(archivePath(1)).find("Resize: first"), std::string::npos);
  EXPECT_NE(ReadWholeFile(logPath()).find("Resize: second"), std::string::npos);
}

TEST_F(LoggerTest, BadSettingsAndFoldersNeverFail) {
  setSettings("LogFileMaxSize=abc\nLogFileMaxNumber=99999999999\n");  // non-numeric: 0, rotate each line
  run({"line", "info", "1", "T", "a"});
  run({"line", "info", "1", "T", "b"});
  EXPECT_TRUE(exists(archivePath(1)));

  setSettings("", tmp / "missing/parent");  // created one level deep only: the line is lost
  run({"line", "info", "1", "T", "lost"});
  EXPECT_FALSE(exists(tmp / "missing"));

  std::filesystem::remove(tmp / "prog/CorvexV0.inf");  // default folder under the current one
  ChildResult r = testing_support::RunProgram("/bin/sh", {"-c", "cd '" + tmp.path() + "' && '" + program + "' line info 1 T d"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(exists(tmp / "OISPELKD.INI/Norvasta - Tamberlo.log"));
}

TEST_F(LoggerTest, DeepLogIsReadOnceAndOneInstanceServesAllThreads) {
  setSettings("LogFileDeep=1\n");
  EXPECT_EQ(run({"deeplog"}).output, "1 1\n");
  EXPECT_EQ(run({"instances"}).output, "1\n");
}

TEST_F(LoggerTest, UnloadLeavesTheInstanceUsableForLinesStillBeingWritten) {
  const std::string unloader = tmp / "prog/logger_unloader";
  std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/logger_unloader", unloader);
  ChildResult r = testing_support::RunProgram(unloader, {CORVEX_TEST_BIN_DIR "/logger_unload_probe.so"}, {}, 30);
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::string log = ReadWholeFile(logPath());
  for (const std::string& line : splitLines(log)) ASSERT_TRUE(std::regex_match(line, kLine)) << line.substr(0, 200);
  EXPECT_NE(log.find("Probe: first load\n"), std::string::npos);  // loaded again after an unload
  EXPECT_NE(log.find("Probe: after unload\n"), std::string::npos);
}

TEST_F(LoggerTest, CallStackNamesLibraryFunctionsAndCountsDownToZero) {
  std::vector<std::string> lines = splitLines(run({"callstack"}).output);
  ASSERT_GE(lines.size(), 3u);
  const std::regex frame(R"(^(\d+) (.+) 0x[0-9a-f]+$)");
  bool probeFound = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, frame)) << lines[i];
    EXPECT_EQ(std::stoul(m[1]), lines.size() - 1 - i);
    probeFound |= m[2] == "ProbeCallStack";
  }
  EXPECT_TRUE(probeFound);
}

TEST_F(LoggerTest, ProcessesAndThreadsNeverLoseOrMixLinesAcrossRotations) {
  setSettings("LogFileMaxSize=32\nLogFileMaxNumber=100000\n");
  const int processes = 4, threads = 4, lines = 150;
  std::vector<std::thread> writers;
  for (int p = 0; p < processes; ++p)
    writers.emplace_back([&, p] { run({"bulk", std::to_string(p), std::to_string(threads), std::to_string(lines)}); });
  for (auto& w : writers) w.join();

  int archives = 0;
  while (exists(archivePath(archives + 1))) ++archives;
  EXPECT_GT(archives, 50);
  std::string all;
  for (int n = archives; n >= 1; --n) {
    const std::string archive = ReadWholeFile(archivePath(n));
    EXPECT_LE(archive.size(), 32 * 1024 + 9100u) << "written to after it was moved away: " << n;
    all += archive;
  }
  all += ReadWholeFile(logPath());

  const std::regex bulk(R"(^P(\d+) T(\d+) N(\d+) ([a-z]+)$)");
  std::map<std::pair<int, int>, int> next;
  int count = 0;
  for (const std::string& line : splitLines(all)) {
    std::smatch m, b;
    ASSERT_TRUE(std::regex_match(line, m, kLine)) << line.substr(0, 200);
    const std::string text = m[5];
    ASSERT_TRUE(std::regex_match(text, b, bulk)) << text.substr(0, 200);
    const int n = std::stoi(b[3]);
    int& expected = next[{std::stoi(b[1]), std::stoi(b[2])}];
    ASSERT_EQ(n, expected) << "lost, repeated or reordered line";
    ASSERT_EQ(b[4].length(), n % 7 == 0 ? 9000u : 40u);
    ++expected;
    ++count;
  }
  EXPECT_EQ(count, processes * threads * lines);
}

}  // namespace
