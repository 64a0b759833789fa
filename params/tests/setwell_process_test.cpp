#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "setwell_fixture.h"

extern char** environ;

namespace {

const std::string kChild = CORVEX_TEST_BIN_DIR "/setwell_child";

// Starts the child with this process's environment (home and Windows folder redirected).
pid_t Spawn(std::vector<std::string> args) {
  args.insert(args.begin(), kChild);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawn(&pid, kChild.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Every line a section header or a key=value entry, and each section once.
void ExpectWellFormed(const std::string& content) {
  std::set<std::string> sections;
  std::istringstream lines(content);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (line.front() == '[')
      EXPECT_TRUE(line.back() == ']' && sections.insert(line).second) << line;
    else
      EXPECT_NE(line.find('='), std::string::npos) << line;
  }
}

class SetwellProcesses : public SetwellTest {
 protected:
  void SetUp() override {
    SetwellTest::SetUp();
    testing_support::WriteWholeFile(settings, std::string(kUserConfig) + "[Keys]\nShared=1\n");
  }
};

TEST_F(SetwellProcesses, BareSettingsNameLivesBesideTheProgram) {
  const std::string program = tmp / "program/setwell_child";
  std::filesystem::copy_file(kChild, program);
  testing_support::WriteWholeFile(settings, "[S]\nK=v\n");
  EXPECT_EQ(testing_support::RunProgram(program, {"bare", "CorvexV0.inf"}).exitCode, 0);
  EXPECT_EQ(OnDisk(settings, "RECENTFILES", "1"), "/bare.prj");
}

TEST_F(SetwellProcesses, KeysOfBothWritersSurvive) {
  const int rounds = 25;
  const pid_t a = Spawn({"keys", settings, "A", std::to_string(rounds)});
  const pid_t b = Spawn({"keys", settings, "B", std::to_string(rounds)});
  ASSERT_EQ(Wait(a), 0);
  ASSERT_EQ(Wait(b), 0);
  for (const std::string prefix : {"A", "B"})
    for (int i = 0; i < 50; ++i)
      EXPECT_EQ(OnDisk(userCopy, "Keys", (prefix + std::to_string(i)).c_str()), prefix + "-25") << prefix << i;
  const std::string last = OnDisk(userCopy, "Keys", "Last");
  EXPECT_TRUE(last == "A-25" || last == "B-25") << last;
  EXPECT_EQ(OnDisk(settings, "Keys", "Shared"), "1");
  ExpectWellFormed(testing_support::ReadWholeFile(userCopy));
}

TEST_F(SetwellProcesses, RecentListIsOneWritersWholeList) {
  const pid_t a = Spawn({"recent", settings, "A", "20"});
  const pid_t b = Spawn({"recent", settings, "B", "20"});
  ASSERT_EQ(Wait(a), 0);
  ASSERT_EQ(Wait(b), 0);
  const std::string first = OnDisk(userCopy, "RECENTFILES", "1");
  ASSERT_TRUE(first == "/A/20/15.prj" || first == "/B/20/15.prj") << first;
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", std::to_string(16 - i).c_str()),
              first.substr(0, 6) + std::to_string(i) + ".prj");
  EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", "17"), "<missing>");
  ExpectWellFormed(testing_support::ReadWholeFile(userCopy));
}

TEST_F(SetwellProcesses, KilledWriterLeavesOldOrNewValues) {
  std::string content = "[Other]\n";
  for (int i = 0; i < 3000; ++i) content += "o" + std::to_string(i) + "=value " + std::to_string(i) + "\n";
  content += "[Keys]\n";
  for (int i = 0; i < 50; ++i) content += "K" + std::to_string(i) + "=0\n";
  platform::MakeFolders(tmp / "home/.config/halvorn");
  for (int attempt = 0; attempt < 3; ++attempt) {
    testing_support::WriteWholeFile(userCopy, content);
    const pid_t child = Spawn({"forever", settings});
    ASSERT_GT(child, 0);
    for (int waited = 0; waited < 2000 && OnDisk(userCopy, "Keys", "K49") == "0"; ++waited) usleep(5000);
    usleep(static_cast<useconds_t>(20000 + 15000 * attempt));
    kill(child, SIGKILL);
    EXPECT_EQ(Wait(child), 128 + SIGKILL);
    const std::string round = OnDisk(userCopy, "Keys", "K0");
    EXPECT_NE(round, "0");
    for (int i = 1; i < 50; ++i) EXPECT_EQ(OnDisk(userCopy, "Keys", ("K" + std::to_string(i)).c_str()), round);
    EXPECT_EQ(OnDisk(userCopy, "Other", "o2999"), "value 2999");
    ExpectWellFormed(testing_support::ReadWholeFile(userCopy));
  }
}

}  // namespace
