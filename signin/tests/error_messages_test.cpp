#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "CCorvexOAuth2Globals.h"
#include "platform_ui.h"
#include "test_support.h"

namespace {

using testing_support::ReadWholeFile;

const char kNoConnection[] = "No Internet connexion";
const char kProblem[] = "Authentication problem - If the problem remains, please contact your local Halvorn support";

TEST(ErrorStatusMapping, EachStatusGivesItsLogTextAndMessage) {
  const struct {
    int status;
    UINT id;
    const char* logText;
  } cases[] = {
      {0, 14364, "Internal Server Error."},
      {500, 14364, "Internal Server Error."},
      {400, 14362, "The request could not be processed by the server."},
      {401, 14363, "The requested resource requires user authentication"},
      {402, 14367, "Payment required to access the resource."},
      {403, 14369, "The server understood the request, but refuses to execute it."},
      {404, 14365, "Resource not found."},
      {-2146697211, 14365, "Resource not found."},
      {405, 14370, "Unauthorized request method."},
      {406, 14371, "The requested resource is not available in a format that would respect the headers"},
      {407, 14372, "Access to authorized resource by identification with proxy"},
      {408, 14373, "Waiting time for a client request, elapsed on the server side."},
      {409, 14374, "The request can not be processed in the current state."},
      {410, 14375, "The resource is no longer available and no redirection address is known."},
      {411, 14376, "The length of the request has not been specified."},
      {412, 14377, "Preconditions sent by the query unverified."},
      {413, 14378, "Abandoned treatment due to excessive request"},
      {414, 14379, "URI too long"},
      {415, 14380, "Unsupported query format for a given method and resource"},
      {501, 14381, "Functionality claimed not supported by the server."},
      {502, 14382, "By acting as a proxy server or gateway, the server received an invalid response from the server"},
      {503, 14383, "Service temporarily unavailable or under maintenance."},
      {504, 14384, "Waiting time for a response from a server to an intermediate server that has elapsed"},
      {505, 14386, "Unsupported HTTP version"},
      {200, 14360, "Unknown error"},
      {416, 14360, "Unknown error"},
      {418, 14360, "Unknown error"},
      {499, 14360, "Unknown error"},
      {506, 14360, "Unknown error"},
      {-1, 14360, "Unknown error"},
      {0x800C0005 & 0xFFFF, 14360, "Unknown error"},  // only the whole moniker code counts
  };
  for (const auto& c : cases) {
    CString logText("stale");
    EXPECT_EQ(CCorvexOAuth2Globals::GetErrorMsgId(c.status, logText), c.id) << c.status;
    EXPECT_EQ(logText.str(), c.logText) << c.status;
  }
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The probe in a temporary program folder of its own, logging into the temporary tree,
// its boxes answered by the scripted backend and recorded in a file.
class ErrorBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(tmp / "root");
    std::filesystem::create_directories(tmp / "prog");
    std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/error_box_probe", probe);
    testing_support::WriteWholeFile(tmp / "prog/CorvexV0.inf", "[DIRECTORIES]\nTRACKINGLOG=" + (tmp / "logs") + "\n");
  }

  std::vector<std::string> run(const std::vector<std::string>& operations, bool scripted = true) {
    std::map<std::string, std::string> env = {{"QT_QPA_PLATFORM", "offscreen"}};
    if (scripted) env.insert({{"CORVEX_PLATFORM_UI", "scripted"}, {"CORVEX_PLATFORM_UI_RECORD", records}});
    testing_support::ChildResult result = testing_support::RunProgram(probe, operations, env);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    // The probe's own lines, without Qt's notes on standard error.
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(result.output))
      if (std::regex_search(line, std::regex("^(init|open|closed|gui-thread) "))) lines.push_back(line);
    return lines;
  }

  std::vector<platform::ui::RecordedPrompt> boxes() const { return platform::ui::ReadRecordFile(records); }
  std::string logPath() const { return tmp / "logs/Norvasta - Tamberlo.log"; }
  std::vector<std::string> logLines() const { return splitLines(ReadWholeFile(logPath())); }

  testing_support::TempFolder tmp;
  std::string probe = tmp / "prog/error_box_probe";
  std::string records = tmp / "boxes.txt";
};

void expectErrorBox(const platform::ui::RecordedPrompt& box, const std::string& text, const std::string& caption) {
  EXPECT_EQ(box.kind, "messagebox");
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.Field("text"), text);
  EXPECT_EQ(box.Field("caption"), caption);
  EXPECT_EQ(box.Field("icon"), "error");
  EXPECT_EQ(box.Field("buttons"), "OK");
}

TEST_F(ErrorBoxTest, OnlyTheMissingConnectionIsNamedOtherwiseTheGenericText) {
  EXPECT_EQ(run({"attach", "LNG", "navigate", "14355", "navigate", "14360", "navigate", "14365", "navigate", "99999"}),
            std::vector<std::string>{"init 1"});
  const auto recorded = boxes();
  ASSERT_EQ(recorded.size(), 4u);
  expectErrorBox(recorded[0], kNoConnection, "Error");
  for (size_t i = 1; i < 4; ++i) expectErrorBox(recorded[i], kProblem, "Error");
  EXPECT_TRUE(logLines().empty());  // showing a box logs nothing by itself
}

TEST_F(ErrorBoxTest, WithoutTheLanguageModuleTheBoxIsEmpty) {
  EXPECT_EQ(run({"attach", "", "navigate", "14360", "navigate", "14355"}), std::vector<std::string>{"init 0"});
  const auto recorded = boxes();
  ASSERT_EQ(recorded.size(), 2u);
  for (const auto& box : recorded) expectErrorBox(box, "", "");
}

TEST_F(ErrorBoxTest, StatusBoxesAndTheirUserLogLines) {
  const struct {
    const char* status;
    const char* logText;
  } cases[] = {{"404", "Resource not found."},
               {"-2146697211", "Resource not found."},
               {"418", "Unknown error"},
               {"0", "Internal Server Error."}};
  std::vector<std::string> operations = {"attach", "LNG"};
  for (const auto& c : cases) operations.insert(operations.end(), {"status", c.status});
  run(operations);

  const auto recorded = boxes();
  ASSERT_EQ(recorded.size(), 4u);
  for (const auto& box : recorded) expectErrorBox(box, kProblem, "Error");
  const std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), 4u);
  const std::regex format(
      R"(^\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2} \(GMT[+-]\d{2}:\d{2}\) - U - Error - Authentication error: (.*)$)");
  for (size_t i = 0; i < 4; ++i) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, format)) << lines[i];
    EXPECT_EQ(match[1], cases[i].logText);
  }
}

TEST_F(ErrorBoxTest, TheLogLineIsWrittenOnlyOnceTheBoxIsClosed) {
  const std::vector<std::string> lines = run({"attach", "LNG", "watch", "404", logPath()}, false);
  const int errorIcon = 3;  // QMessageBox::Critical
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "init 1", std::string("open ") + kProblem + "|Error|" + std::to_string(errorIcon) + "|0", "closed 1"}));
}

TEST_F(ErrorBoxTest, FromASecondThreadTheBoxRunsOnTheGuiThread) {
  EXPECT_EQ(run({"attach", "LNG", "worker", "14355"}), (std::vector<std::string>{"init 1", "gui-thread 1"}));
  const auto recorded = boxes();
  ASSERT_EQ(recorded.size(), 1u);
  expectErrorBox(recorded[0], kNoConnection, "Error");
}

}  // namespace
