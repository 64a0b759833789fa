// The token store through a real program: values, deletion and the log lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"
#include "winreg.h"

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Halvorn\\Ondra";

class TokenStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(m_tmp.path());
    std::filesystem::create_directories(m_tmp / "prog");
    m_program = m_tmp / "prog/token_store_probe";
    std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/token_store_probe", m_program);
    ASSERT_TRUE(WriteWholeFile(m_tmp / "prog/CorvexV0.inf", "[DIRECTORIES]\nTRACKINGLOG=" + (m_tmp / "logs") + "\n"));
  }

  // "<result>|<value>" of one operation in a fresh process.
  std::string Run(const std::vector<std::string>& args) {
    testing_support::ChildResult child = testing_support::RunProgram(m_program, args, {{"HOME", m_tmp / "home"}}, 30);
    EXPECT_EQ(child.exitCode, 0) << child.output;
    return child.output;
  }

  // The log's lines without their time stamps, and the log emptied.
  std::vector<std::string> TakeLogLines() {
    const std::string path = m_tmp / "logs/Norvasta - Tamberlo.log";
    std::istringstream in(ReadWholeFile(path));
    std::filesystem::remove(path);
    std::vector<std::string> lines;
    const std::regex stamp(R"(^\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2} \(GMT[+-]\d{2}:\d{2}\) - )");
    for (std::string line; std::getline(in, line);) lines.push_back(std::regex_replace(line, stamp, ""));
    return lines;
  }

  TempFolder m_tmp;
  std::string m_program;
};

std::vector<std::string> Lines(const std::string& line) { return {line}; }

}  // namespace

TEST_F(TokenStoreTest, ValuesRoundTripAndMissingOnesAreLogged) {
  EXPECT_EQ(Run({"decrypt", "access_token"}), "0|");
  EXPECT_EQ(TakeLogLines(), Lines("D - Error - Authentication: Unable to decrypt data from registry for value: "
                                  "access_token, at key " +
                                  kKey + ", error code 2"));
  EXPECT_EQ(Run({"encrypt", "access_token", "eyJ0eXAiOiJKV1Qi.payload.sig"}), "1|");
  EXPECT_EQ(Run({"decrypt", "access_token"}), "1|eyJ0eXAiOiJKV1Qi.payload.sig");
  EXPECT_EQ(Run({"decrypt", "refresh_token"}), "0|");
  EXPECT_EQ(TakeLogLines(), Lines("D - Error - Authentication: Unable to decrypt data from registry for value: "
                                  "refresh_token, at key " +
                                  kKey + ", error code 2"));
}

TEST_F(TokenStoreTest, ProtectionFailureIsLoggedWithStatusZero) {
  EXPECT_EQ(Run({"encrypt", "token_type", "Bearer"}), "1|");
  // A key file that is not ours any more: protection fails, the key file stays.
  const std::string keyFile = m_tmp / "home/.halvorn/keys/master.key";
  ASSERT_TRUE(WriteWholeFile(keyFile, "damaged"));
  EXPECT_EQ(Run({"encrypt", "token_type", "Bearer"}), "0|");
  EXPECT_EQ(Run({"decrypt", "token_type"}), "0|");
  EXPECT_EQ(TakeLogLines(),
            (std::vector<std::string>{
                "D - Error - Authentication: Unable to encrypt data in registry for value: token_type, at key " + kKey +
                    ", error code 0",
                "D - Error - Authentication: Unable to decrypt data from registry for value: token_type, at key " +
                    kKey + ", error code 0"}));
  EXPECT_EQ(ReadWholeFile(keyFile), "damaged");
}

TEST_F(TokenStoreTest, DeleteKeyRemovesTheStoreAndKeepsItsParent) {
  EXPECT_EQ(Run({"delete"}), "1|");  // no store yet: still a success, but logged
  EXPECT_EQ(TakeLogLines(),
            Lines("D - Error - Authentication: Unable to delete registry key " + kKey + ", error code 2"));

  EXPECT_EQ(Run({"encrypt", "access_token", "a1"}), "1|");
  EXPECT_EQ(Run({"encrypt", "refresh_token", "r1"}), "1|");
  EXPECT_EQ(Run({"delete"}), "1|");
  EXPECT_TRUE(TakeLogLines().empty());
  EXPECT_EQ(Run({"decrypt", "access_token"}), "0|");
  EXPECT_EQ(Run({"decrypt", "refresh_token"}), "0|");
  EXPECT_EQ(TakeLogLines().size(), 2u);
  HKEY parent = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Halvorn", &parent), ERROR_SUCCESS);
  RegCloseKey(parent);

  // The first write makes the store again.
  EXPECT_EQ(Run({"encrypt", "access_token", "a2"}), "1|");
  EXPECT_EQ(Run({"decrypt", "access_token"}), "1|a2");
  EXPECT_EQ(Run({"decrypt", "refresh_token"}), "0|");
}

TEST_F(TokenStoreTest, DeleteKeyReportsAnUnusableHive) {
  std::filesystem::create_directories(m_tmp / "home/.halvorn");
  ASSERT_TRUE(WriteWholeFile(m_tmp / "home/.halvorn/registry.db", std::string(4096, 'x')));
  EXPECT_EQ(Run({"delete"}), "0|");
  const std::vector<std::string> lines = TakeLogLines();
  ASSERT_EQ(lines.size(), 1u);
  const std::string prefix = "D - Error - Authentication: Unable to delete registry key " + kKey + ", error code ";
  EXPECT_EQ(lines[0].substr(0, prefix.size()), prefix);
  EXPECT_NE(lines[0].substr(prefix.size()), "0");
  EXPECT_NE(lines[0].substr(prefix.size()), "2");
}
