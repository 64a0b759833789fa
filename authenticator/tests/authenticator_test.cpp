// The program end to end: the real engine (offscreen), the development provider on the
// deployment's port, the login page submitting itself, the boxes recorded. This test is a
// child subreaper: whatever the program leaves running ends up below it, and must not.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <filesystem>

#include "Security.h"
#include "authenticator_session.h"
#include "platform_ui.h"
#include "process_tree.h"
#include "winreg.h"
#include "xvfb_display.h"

namespace {

using platform::ui::RecordedPrompt;
using testing_support::ChildResult;

const char kTokenStore[] = "Software\\Halvorn\\Ondra";
const char kDialogTitle[] = "Registration - Please wait until process complete or click Close to cancel login";
const char kSignInProblemText[] =
    "Authentication problem - If the problem remains, please contact your local Halvorn support";
const char kFailureText[] = "Error: Authentication tokens have not been generated. Please contact the support";

class AuthenticatorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

  void TearDown() override {
    session.reset();  // the provider stops
    EXPECT_TRUE(WaitFor(
        [] {
          while (waitpid(-1, nullptr, WNOHANG) > 0) {
          }
          return DescendantProcesses().empty();
        },
        10))
        << "processes left: " << DescendantProcesses().size();
  }

  ChildResult Run(const std::map<std::string, std::string>& extra = {}, const std::string& program = "") {
    std::map<std::string, std::string> env = session->Environment(Record());
    for (const auto& [name, value] : extra) env[name] = value;
    return testing_support::RunProgram(program.empty() ? session->Program() : program, {}, env, 60);
  }
  std::string Record() const { return session->RootFile("boxes"); }
  std::vector<RecordedPrompt> Boxes() const { return platform::ui::ReadRecordFile(Record()); }

  void SetUp() override { Start({"--auto-submit"}); }

  void Start(const std::vector<std::string>& providerArgs) {
    session.reset();
    session = std::make_unique<AuthenticatorSession>(providerArgs);
    ASSERT_TRUE(session->Provider().Running()) << "the deployment's port stayed taken";
  }

  std::unique_ptr<AuthenticatorSession> session;
};

// name -> type of every value in the token store.
std::map<std::string, DWORD> StoredValues() {
  std::map<std::string, DWORD> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kTokenStore, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  char name[256];
  DWORD type = 0;
  for (DWORD i = 0, size = sizeof(name); RegEnumValueA(key, i, name, &size, nullptr, &type, nullptr, nullptr) == 0;
       ++i, size = sizeof(name))
    values[name] = type;
  RegCloseKey(key);
  return values;
}

std::string Decrypted(const char* name) {
  CString text;
  long status = 0;
  CCDecryptDataFromRegistry(HKEY_CURRENT_USER, kTokenStore, name, text, status);
  return text.GetString();
}

std::string Sha256Hex(const std::string& text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha256(), nullptr);
  std::string hex;
  for (unsigned int i = 0; i < length; ++i)
    hex += "0123456789abcdef"[digest[i] >> 4], hex += "0123456789abcdef"[digest[i] & 15];
  return hex;
}

// Whether any file below `folder` holds `secret`.
bool AnyFileHolds(const std::string& folder, const std::string& secret) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && testing_support::ReadWholeFile(entry.path()).find(secret) != std::string::npos)
      return true;
  return false;
}

void ExpectBox(const RecordedPrompt& box, const std::string& text, const std::string& caption,
               const std::string& icon) {
  EXPECT_EQ(box.kind, "messagebox");
  EXPECT_EQ(box.Field("text"), text);
  EXPECT_EQ(box.Field("caption"), caption);
  EXPECT_EQ(box.Field("icon"), icon);
  EXPECT_EQ(box.owner, nullptr);
}

TEST_F(AuthenticatorTest, SignsInOnceStoresTheIssuedTokensProtectedAndSaysSo) {
  const ChildResult result = Run();
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(session->PagesShown(), 1u);
  const std::vector<RecordedPrompt> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u) << result.output;
  ExpectBox(boxes[0], "Authentication tokens have been successfully generated!", "CorvexStandAloneAuthent",
            "information");

  const std::map<std::string, DWORD> values = StoredValues();
  EXPECT_EQ(values.size(), 7u);
  for (const auto& [name, type] : values) {
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY)) << name;
    EXPECT_FALSE(Decrypted(name.c_str()).empty()) << name;
  }
  const std::string issued = session->Provider().Get("/_test/issued").body;
  for (const char* token : {"access_token", "refresh_token"}) {
    const std::string secret = Decrypted(token);
    EXPECT_NE(issued.find("\"kind\":\"" + std::string(token) + "\",\"sha256\":\"" + Sha256Hex(secret)),
              std::string::npos)
        << token;
    EXPECT_FALSE(AnyFileHolds(session->Home(), secret)) << token << " in clear in the home";
    EXPECT_FALSE(AnyFileHolds(session->ProgramFolder() + "/Log", secret)) << token << " in the log";
  }
}

TEST_F(AuthenticatorTest, ASecondStartDuringTheDialogIsRefusedAStartAfterAKillProceeds) {
  Start({});  // nobody signs in
  BackgroundProgram first(session->Program(), {}, session->Environment(Record()), session->RootFile("first.out"));
  ASSERT_TRUE(WaitFor([&] { return session->PagesShown() == 1; }, 30));

  const ChildResult second = Run();
  EXPECT_EQ(second.exitCode, 2) << second.output;
  std::vector<RecordedPrompt> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  ExpectBox(boxes[0], "Norvasta - Tamberlo Stand Alone Authenticator", "This program is already running", "warning");
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(session->PagesShown(), 1u);

  kill(first.Pid(), SIGKILL);
  EXPECT_EQ(first.Wait(10), 128 + SIGKILL);
  BackgroundProgram third(session->Program(), {}, session->Environment(Record()), session->RootFile("third.out"));
  EXPECT_TRUE(WaitFor([&] { return session->PagesShown() == 2; }, 30));
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(AuthenticatorTest, ASuiteProgramWhoseRefreshTokenExpiredSignsInAgainWithoutAnErrorBox) {
  ASSERT_EQ(Run().exitCode, 0);
  const std::string oldRefreshToken = Decrypted("refresh_token");
  ASSERT_EQ(session->Provider().Post("/_test/expire-refresh-tokens", "").status, 200);
  unlink(Record().c_str());

  const ChildResult result = testing_support::RunProgram(
      CORVEX_TEST_BIN_DIR "/verify_driver", {session->ProgramFolder()}, session->Environment(Record()), 60);
  EXPECT_NE(result.output.find("authorized 1\n"), std::string::npos) << result.output;
  EXPECT_EQ(session->PagesShown(), 2u);
  EXPECT_TRUE(Boxes().empty());
  const std::string newRefreshToken = Decrypted("refresh_token");
  EXPECT_NE(newRefreshToken, oldRefreshToken);
  EXPECT_NE(session->Provider().Get("/_test/issued").body.find(Sha256Hex(newRefreshToken)), std::string::npos);
}

TEST_F(AuthenticatorTest, EscapeInTheDialogOrNoProviderEndsWithTheFailureBoxAndNoTokenLeft) {
  long status = 0;
  XvfbDisplay display;
  ASSERT_FALSE(display.Name().empty());
  for (const bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "no provider");
    Start({});  // nobody signs in
    unlink(Record().c_str());
    ASSERT_TRUE(CCEncryptDataToRegistry(HKEY_CURRENT_USER, kTokenStore, "access_token", "old token", status));
    if (!escape) session->Provider().Stop();
    std::map<std::string, std::string> env = session->Environment(Record());
    env["DISPLAY"] = display.Name();
    env["QT_QPA_PLATFORM"] = "xcb";
    BackgroundProgram run(session->Program(), {}, env, session->RootFile("run.out"));
    if (escape) {
      ASSERT_TRUE(WaitFor([&] { return session->PagesShown() == 1; }, 30));
      testing_support::RunProgram(
          "/usr/bin/xdotool",
          {"search", "--sync", "--onlyvisible", "--name", kDialogTitle, "windowfocus", "--sync", "key", "Escape"},
          {{"DISPLAY", display.Name()}}, 20);
    }
    EXPECT_EQ(run.Wait(30), 1) << testing_support::ReadWholeFile(session->RootFile("run.out"));
    const std::vector<RecordedPrompt> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    ASSERT_EQ(boxes.size(), 2u);
    ExpectBox(boxes[0], kSignInProblemText, "Error", "error");
    ExpectBox(boxes.back(), kFailureText, "CorvexStandAloneAuthent", "warning");
    EXPECT_EQ(StoredValues().count("access_token"), 0u);
  }
}

TEST_F(AuthenticatorTest, WithoutWispalOrTheSignInMessagesOrFromTooLongAPathOnlyTheFailureBoxShows) {
  // A program path over 260 characters is cut: nothing is found beside the cut path.
  const std::string deep = session->RootFile(std::string(200, 'd') + "/" + std::string(100, 'e'));
  ASSERT_EQ(testing_support::RunProgram("/bin/mkdir", {"-p", deep}).exitCode, 0);
  ASSERT_EQ(testing_support::RunProgram("/bin/cp", {"-al", session->ProgramFolder(), deep + "/bin"}).exitCode, 0);
  for (const char* missing : {"Wispal", "Lng/CorvexRegistration.LNG", ""}) {
    SCOPED_TRACE(missing);
    unlink(Record().c_str());
    const std::string file = session->ProgramFolder() + "/" + missing;
    if (*missing) {
      ASSERT_EQ(std::rename(file.c_str(), (file + ".away").c_str()), 0);
    }
    const ChildResult result = *missing ? Run() : Run({}, deep + "/bin/CorvexStandAloneAuthent");
    if (*missing) std::rename((file + ".away").c_str(), file.c_str());
    EXPECT_EQ(result.exitCode, 1) << result.output;
    const std::vector<RecordedPrompt> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u) << result.output;
    ExpectBox(boxes[0], kFailureText, "CorvexStandAloneAuthent", "warning");
    EXPECT_EQ(session->PagesShown(), 0u);
    EXPECT_TRUE(StoredValues().empty());
  }
}

TEST_F(AuthenticatorTest, WithoutADisplayTheFailureGoesToStandardErrorAtOnce) {
  const ChildResult result = testing_support::RunProgram(
      "/usr/bin/env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", session->Program()},
      {{"HOME", session->Home()}}, 20);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.output.find(std::string("CorvexStandAloneAuthent: ") + kFailureText + "\n"), std::string::npos)
      << result.output;
}

}  // namespace
