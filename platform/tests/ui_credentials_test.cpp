#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "platform_ui.h"
#include "test_support.h"
#include "wincred.h"
#include "winreg.h"

using platform::ui::Answer;
using platform::ui::RecordedPrompt;
using testing_support::TempFolder;

namespace {

constexpr char kTarget[] = "Tamberlo";

class CredentialPrompt : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(m_root.path());
    platform::ui::UseScriptedBackend();
    platform::ui::SetRecordFile("");
  }

  struct Result {
    DWORD code;
    std::string user, password;
  };

  Result Ask(DWORD flags, ULONG bufferSize = 1000) {
    char user[1000] = "kept", password[1000] = "kept";
    CREDUI_INFOA info = {sizeof(CREDUI_INFOA), nullptr, "Log in to the proxy", "Proxy", nullptr};
    BOOL save = FALSE;
    const DWORD code = CredUIPromptForCredentialsA(&info, kTarget, nullptr, 0, user, bufferSize, password,
                                                   bufferSize, &save, flags);
    return {code, user, password};
  }

  // Every file of the hive's folder, as one text.
  std::string HiveBytes() {
    RegFlushKey(HKEY_CURRENT_USER);
    std::string bytes;
    for (const auto& entry : std::filesystem::directory_iterator(m_root / "home/.halvorn"))
      if (entry.is_regular_file()) bytes += testing_support::ReadWholeFile(entry.path());
    return bytes;
  }

  TempFolder m_root;
};

Answer typed(const std::string& user, const std::string& password) {
  return Answer{0, {{"user", user}, {"password", password}}};
}

}  // namespace

TEST_F(CredentialPrompt, StoreAnswersSilentlyWithoutAlwaysShowAndKeepsWhatPersistConfirms) {
  struct Step {
    const char* what;
    DWORD flags;
    std::optional<Answer> scripted;  // nothing: the dialog, if shown, is cancelled
    DWORD code;
    const char* user;  // what the buffers hold afterwards
    const char* password;
    const char* shown;
  };
  const char* fromStore = "no (answered from the store)";
  const Step steps[] = {
      {"empty store: dialog, stored", 0x41001, typed("alice", "s3cret-1"), 0, "alice", "s3cret-1", "yes"},
      {"stored entry answers silently", 0x41001, std::nullopt, 0, "alice", "s3cret-1", fromStore},
      {"always show, cancelled", 0x41081, std::nullopt, ERROR_CANCELLED, "kept", "kept", "yes"},
      {"not kept without persist", 0x40081, typed("bob", "pw-bob"), 0, "bob", "pw-bob", "yes"},
      {"still the first entry", 0x41001, std::nullopt, 0, "alice", "s3cret-1", fromStore},
      {"always show, persisted", 0x41081, typed("carol", "pw-carol"), 0, "carol", "pw-carol", "yes"},
      {"the new entry answers", 0x41001, std::nullopt, 0, "carol", "pw-carol", fromStore},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.scripted) platform::ui::QueueAnswer(*step.scripted);
    const Result result = Ask(step.flags);
    EXPECT_EQ(result.code, step.code);
    EXPECT_EQ(result.user, step.user);
    EXPECT_EQ(result.password, step.password);
    const RecordedPrompt prompt = platform::ui::RecordedPrompts().back();
    EXPECT_EQ(prompt.kind, "credentials");
    EXPECT_EQ(prompt.Field("shown"), step.shown);
    EXPECT_EQ(prompt.Field("flags"), (std::ostringstream() << "0x" << std::hex << std::uppercase << step.flags).str());
    EXPECT_EQ(prompt.Field("text"), "Log in to the proxy");
    EXPECT_EQ(prompt.Field("caption"), "Proxy");
    EXPECT_EQ(prompt.Field("target"), kTarget);
  }
  const std::string hive = HiveBytes();
  EXPECT_NE(hive.size(), 0u);
  for (const char* secret : {"s3cret-1", "pw-carol", "pw-bob"}) EXPECT_EQ(hive.find(secret), std::string::npos);
}

TEST_F(CredentialPrompt, DamagedOrMovedEntriesShowTheDialog) {
  platform::ui::QueueAnswer(typed("alice", "pw"));
  ASSERT_EQ(Ask(0x41001).code, 0u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Platform\\Credentials", 0, KEY_ALL_ACCESS, &key), 0);
  BYTE blob[4096];
  DWORD size = sizeof(blob);
  ASSERT_EQ(RegQueryValueExA(key, kTarget, nullptr, nullptr, blob, &size), 0);
  blob[size / 2] ^= 0x40;
  ASSERT_EQ(RegSetValueExA(key, kTarget, 0, REG_BINARY, blob, size), 0);  // damaged
  EXPECT_EQ(Ask(0x41001).code, static_cast<DWORD>(ERROR_CANCELLED));
  blob[size / 2] ^= 0x40;
  ASSERT_EQ(RegSetValueExA(key, "Elsewhere", 0, REG_BINARY, blob, size), 0);
  ASSERT_EQ(RegSetValueExA(key, kTarget, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), 0);  // wrong type
  RegCloseKey(key);
  EXPECT_EQ(Ask(0x41001).code, static_cast<DWORD>(ERROR_CANCELLED));
  char user[10] = "", password[10] = "";
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, "Elsewhere", nullptr, 0, user, 10, password, 10, nullptr, 0x41001),
            static_cast<DWORD>(ERROR_CANCELLED));  // an entry copied under another name does not open
  EXPECT_EQ(platform::ui::RecordedPrompts().back().Field("shown"), "yes");
}

TEST_F(CredentialPrompt, InputIsCutToTheBuffersAndBadArgumentsAreRefused) {
  platform::ui::QueueAnswer(typed("abcdef", "\xC3\xA9\xC3\xA9"));  // "éé": 4 bytes
  const Result cut = Ask(0x40081, 4);
  EXPECT_EQ(cut.code, 0u);
  EXPECT_EQ(cut.user, "abc");
  EXPECT_EQ(cut.password, "\xC3\xA9");  // never half a character

  char user[8] = "", password[8] = "";
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, nullptr, nullptr, 0, user, 8, password, 8, nullptr, 0),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, kTarget, nullptr, 0, user, 0, password, 8, nullptr, 0),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, kTarget, nullptr, 0, user, 8, password, 8, nullptr,
                                        CREDUI_FLAGS_PERSIST | CREDUI_FLAGS_DO_NOT_PERSIST),
            static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

// The real dialog where no display can be opened: an error at once, the process lives on.
TEST(CredentialDialog, WithoutADisplayFailsAtOnce) {
  TempFolder root;
  const std::string result = root / "result.txt";
  const int status = testing_support::RunInChild([&] {
    testing_support::RedirectUserAndMachineFolders(root.path());
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    platform::ui::UseQtBackend();
    char user[8] = "", password[8] = "";
    const DWORD code =
        CredUIPromptForCredentialsA(nullptr, kTarget, nullptr, 0, user, 8, password, 8, nullptr, 0x41081);
    testing_support::WriteWholeFile(result, std::to_string(code));
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing_support::ReadWholeFile(result), std::to_string(ERROR_NOT_SUPPORTED));
}
