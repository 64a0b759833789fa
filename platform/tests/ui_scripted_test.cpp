#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "afxmsgbox.h"
#include "platform_ui.h"
#include "test_support.h"
#include "winerror.h"
#include "winuser.h"

using platform::ui::RecordedPrompt;
using testing_support::TempFolder;

namespace {

class ScriptedBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ui::UseScriptedBackend();
    platform::ui::SetRecordFile("");
  }
};

HWND fakeOwner(uintptr_t value) { return reinterpret_cast<HWND>(value); }

}  // namespace

TEST_F(ScriptedBackend, RecordsEachBoxAndAnswersFromTheScriptThenWithTheDefaultButton) {
  struct Case {
    UINT type;
    int scripted;  // 0: nothing queued
    int expectedAnswer;
    const char* icon;
    const char* buttons;
    const char* defaultButton;
  };
  const Case cases[] = {
      {MB_YESNO | MB_ICONQUESTION, IDNO, IDNO, "question", "Yes,No", "Yes"},
      {MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_DEFBUTTON2, IDIGNORE, IDIGNORE, "error", "Abort,Retry,Ignore", "Retry"},
      {MB_OK, 0, IDOK, "none", "OK", "OK"},
      {MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3, 0, IDCANCEL, "warning", "Yes,No,Cancel", "Cancel"},
      {MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3, 0, IDOK, "information", "OK,Cancel", "OK"},
      {MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_TOPMOST, 0, IDCANCEL, "warning", "Retry,Cancel", "Cancel"},
  };
  uintptr_t owner = 0x1000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buttons);
    if (c.scripted) platform::ui::QueueAnswer(c.scripted);
    const std::string text = "Line one — ü\nline " + std::to_string(owner);
    EXPECT_EQ(MessageBoxA(fakeOwner(owner), text.c_str(), "Caption ä", c.type), c.expectedAnswer);

    const RecordedPrompt prompt = platform::ui::RecordedPrompts().back();
    EXPECT_EQ(prompt.kind, "messagebox");
    EXPECT_EQ(prompt.owner, fakeOwner(owner));
    EXPECT_EQ(prompt.Field("text"), text);
    EXPECT_EQ(prompt.Field("caption"), "Caption ä");
    EXPECT_EQ(prompt.Field("icon"), c.icon);
    EXPECT_EQ(prompt.Field("buttons"), c.buttons);
    EXPECT_EQ(prompt.Field("default"), c.defaultButton);
    EXPECT_EQ(prompt.answer.code, c.expectedAnswer);
    EXPECT_EQ(prompt.thread, std::this_thread::get_id());
    owner += 0x10;
  }
  EXPECT_EQ(platform::ui::RecordedPrompts().size(), std::size(cases));
}

TEST_F(ScriptedBackend, NullArgumentsAndUnknownButtonSets) {
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
  RecordedPrompt prompt = platform::ui::RecordedPrompts().at(0);
  EXPECT_EQ(prompt.owner, nullptr);
  EXPECT_EQ(prompt.Field("text"), "");
  EXPECT_EQ(prompt.Field("caption"), "Error");

  SetLastError(0);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", 7), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
  EXPECT_EQ(platform::ui::RecordedPrompts().size(), 1u);
}

TEST_F(ScriptedBackend, FrameworkBoxHasTheProgramNameAsCaptionAndNoOwner) {
  platform::ui::QueueAnswer(IDNO);
  EXPECT_EQ(AfxMessageBox("Continue?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(AfxMessageBox("Done"), IDOK);
  const std::vector<RecordedPrompt> prompts = platform::ui::RecordedPrompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0].Field("caption"), "platform_ui_test");
  EXPECT_EQ(prompts[0].owner, nullptr);
  EXPECT_EQ(prompts[0].Field("buttons"), "Yes,No");
  EXPECT_EQ(prompts[1].Field("text"), "Done");
  EXPECT_EQ(prompts[1].Field("icon"), "none");
}

TEST_F(ScriptedBackend, RecordFileKeepsEveryFieldAndAnswerValue) {
  TempFolder tmp;
  platform::ui::SetRecordFile(tmp / "boxes.txt");
  const std::string awkward = "a=b \\n is not\na line feed\r\n[messagebox]\\";
  platform::ui::QueueAnswer(platform::ui::Answer{IDRETRY, {{"user", "x=y\nz"}}});
  MessageBoxA(fakeOwner(0xabc0), awkward.c_str(), "[caption]", MB_RETRYCANCEL | MB_ICONHAND);
  MessageBoxA(nullptr, "second", "c", MB_OK);
  platform::ui::SetRecordFile("");

  const std::vector<RecordedPrompt> written = platform::ui::RecordedPrompts();
  const std::vector<RecordedPrompt> read = platform::ui::ReadRecordFile(tmp / "boxes.txt");
  ASSERT_EQ(read.size(), 2u);
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].kind, written[i].kind);
    EXPECT_EQ(read[i].owner, written[i].owner);
    EXPECT_EQ(read[i].fields, written[i].fields);
    EXPECT_EQ(read[i].answer.code, written[i].answer.code);
    EXPECT_EQ(read[i].answer.values, written[i].answer.values);
  }
  EXPECT_EQ(read[0].Field("text"), awkward);
  EXPECT_EQ(read[0].answer.values.at("user"), "x=y\nz");
  EXPECT_TRUE(platform::ui::ReadRecordFile(tmp / "missing.txt").empty());
}

TEST(ScriptedChildProcess, EnvironmentSelectsTheBackendScriptsAnswersAndRecordsToAFile) {
  TempFolder tmp;
  const std::string record = tmp / "record.txt";
  testing_support::ChildResult child = testing_support::RunProgram(
      std::string(CORVEX_TEST_BIN_DIR) + "/ui_box_helper", {},
      {{"CORVEX_PLATFORM_UI", "scripted"},
       {"CORVEX_PLATFORM_UI_ANSWERS", "IDNO,2"},
       {"CORVEX_PLATFORM_UI_RECORD", record},
       {"QT_QPA_PLATFORM", "offscreen"}},
      30);
  EXPECT_EQ(child.exitCode, IDNO) << child.output;
  EXPECT_EQ(child.output, "7 2 1\n");

  const std::vector<RecordedPrompt> prompts = platform::ui::ReadRecordFile(record);
  ASSERT_EQ(prompts.size(), 3u);
  EXPECT_EQ(prompts[0].Field("text"), "Save the changes?");
  EXPECT_EQ(prompts[0].Field("icon"), "question");
  EXPECT_EQ(prompts[0].answer.code, IDNO);
  EXPECT_EQ(prompts[1].Field("buttons"), "Retry,Cancel");
  EXPECT_EQ(prompts[1].answer.code, IDCANCEL);
  EXPECT_EQ(prompts[2].Field("caption"), "ui_box_helper");
  EXPECT_EQ(prompts[2].Field("icon"), "information");
  EXPECT_EQ(prompts[2].answer.code, IDOK);
}
