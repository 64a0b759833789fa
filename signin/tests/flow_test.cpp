// The sign-in flow against the development provider on the deployment's address: the
// dialog's script signs the demo user in by libcurl and replays the pages through the
// login client; boxes and dialogs are recorded by the scripted backend.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <regex>
#include <thread>

#include "corvex_deployment.h"
#include "devidp_session.h"
#include "login_probe_folder.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kProblemBox =
    "box Authentication problem - If the problem remains, please contact your local Halvorn support|Error";
const std::string kLoginEvent =
    "&t=event&ec=Application&ea=Login&cd1=REGISTERED&cd2=DEMO ELECTRIC&cd3=Norvasta - Tamberlo";
// The caller's text, the login event's part before "&cd1", the system and the product.
const std::string kSoftwareEvent =
    "s=2q=1&t=event&ec=Application&ea=Login&cd3=Debian 12 %3D bookworm&cd5=Tamberlo V2026%261";

class FlowTest : public ::testing::Test {
 protected:
  // The deployment's port is shared with every other run of such tests on this machine:
  // wait for it a while.
  void SetUp() override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
    while (!idp->Running() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::seconds(1));
      idp = StartProvider();
    }
    ASSERT_TRUE(idp->Running()) << "port of " CORVEX_IDP_HOST " taken";
  }

  Lines Verify(const std::string& dialogMode, const std::string& force, const Lines& after = {}) {
    Lines args = {"dialog", dialogMode, "verify", force, "q=1", "s=2", "prompts"};
    args.insert(args.end(), after.begin(), after.end());
    return folder.Run(args);
  }
  void SignInOnce() { ASSERT_EQ(LinesStartingWith(Verify("signin", "0"), "authorized"), Lines{"authorized 1"}); }
  void Control(const std::string& path, const std::string& form) {
    ASSERT_EQ(200, idp->Post("/_test/" + path, form).status) << path;
  }
  bool Logged(const std::string& text) const { return folder.LogText().find(text) != std::string::npos; }

  static void ExpectOutcome(const Lines& lines, int authorized, size_t dialogs, size_t boxes) {
    EXPECT_EQ(LinesStartingWith(lines, "authorized"), Lines{"authorized " + std::to_string(authorized)});
    EXPECT_EQ(LinesStartingWith(lines, "dialog ").size(), dialogs);
    EXPECT_EQ(LinesStartingWith(lines, "box "), Lines(boxes, kProblemBox));
  }

  LoginProbeFolder folder;
  std::unique_ptr<devidp_test::DevIdpSession> idp = StartProvider();

 private:
  std::unique_ptr<devidp_test::DevIdpSession> StartProvider() const {
    const std::string host = CORVEX_IDP_HOST;
    return std::make_unique<devidp_test::DevIdpSession>(
        folder.Root(), std::vector<std::string>{"--test-control", "--port", host.substr(host.rfind(':') + 1)});
  }
};

TEST_F(FlowTest, WithoutTokenSignsInAtTheLoginAddressAndCompletesTheTracking) {
  const Lines lines = Verify("signin", "0");
  ExpectOutcome(lines, 1, 1, 0);
  const std::regex address("dialog https://" CORVEX_IDP_HOST
                           "/identity/idplogin\\?app=tamberlo&client_id=" CORVEX_CLIENT_ID
                           "&code_challenge=[A-Za-z0-9_-]{43}&code_challenge_method=S256&redirect_uri=https://"
                           "localhost:8090/login&response_type=code&");
  EXPECT_TRUE(std::regex_match(LinesStartingWith(lines, "dialog ").at(0), address)) << lines.at(0);
  EXPECT_EQ(LinesStartingWith(lines, "login"), Lines{"login q=1" + kLoginEvent});
  EXPECT_EQ(LinesStartingWith(lines, "software"), Lines{"software " + kSoftwareEvent});
  EXPECT_EQ(LinesStartingWith(lines, "closes"), Lines{"closes 1"});
  for (const char* text : {"Download Certificate File: Download Certificate SUCCEED", "getcode and exit",
                           "get access token succeeded, update flag and refesh date"})
    EXPECT_TRUE(Logged(text)) << text;
}

TEST_F(FlowTest, StoredTokenStandsWithoutDialogWhetherRefreshedOrOffline) {
  SignInOnce();
  Lines lines = Verify("cancel", "0");
  ExpectOutcome(lines, 1, 0, 0);
  EXPECT_EQ(LinesStartingWith(lines, "login"), Lines{"login q=1" + kLoginEvent});
  EXPECT_EQ(LinesStartingWith(lines, "software"), Lines{"software " + kSoftwareEvent});
  EXPECT_TRUE(Logged("refresh token succeeded"));
  EXPECT_TRUE(Logged("Download Certificat File: Download Certificat SUCCEED"));

  idp->Stop();
  lines = Verify("cancel", "0");
  ExpectOutcome(lines, 1, 0, 0);
  EXPECT_EQ(LinesStartingWith(lines, "login"), Lines{"login q=1" + kLoginEvent});
}

TEST_F(FlowTest, RefusedRefreshTokenLeadsToTheLoginWithoutBox) {
  SignInOnce();
  Control("expire-refresh-tokens", "");
  ExpectOutcome(Verify("signin", "0"), 1, 1, 0);
  EXPECT_TRUE(Logged("refresh token failed, token expired"));
  Control("next-token-answer", "status=400&body=%7B%22error%22%3A%22invalid_grant%22%7D");
  ExpectOutcome(Verify("signin", "0"), 1, 1, 0);
}

TEST_F(FlowTest, ForcedLoginClosedByTheUserFailsAndLateLoadsReachNoDialog) {
  SignInOnce();
  const Lines lines =
      Verify("cancel", "1", {"late", "https://localhost:8090/login?code=late&sfdc_community_url=x", "prompts"});
  ExpectOutcome(lines, 0, 1, 2);  // "prompts" twice: one box
  EXPECT_EQ(LinesStartingWith(lines, "closes"), (Lines{"closes 0", "closes 0"}));
  EXPECT_TRUE(Logged("refresh token succeeded"));
  EXPECT_TRUE(Logged("authentication failed, state is 1"));
}

TEST_F(FlowTest, FailuresAroundTheDialogShowOneBox) {
  Control("next-token-answer", "status=500&body=%7B%22error%22%3A%22server_error%22%7D");
  ExpectOutcome(Verify("signin", "0"), 0, 1, 1);
  EXPECT_TRUE(Logged("get access token failed, theHttpCode: 500"));
  EXPECT_FALSE(Logged("NavigateErrorMsg"));

  ExpectOutcome(Verify("throw", "0"), 0, 1, 1);
  EXPECT_TRUE(Logged("authentication failed, state is 1"));
}

TEST_F(FlowTest, WithoutCaBundleNoDialogIsShown) {
  idp->Stop();
  ExpectOutcome(Verify("signin", "0"), 0, 0, 1);
  EXPECT_TRUE(Logged("Download Certificate File: Download Certificate FAILED"));
  EXPECT_TRUE(Logged("Authentication error: Unknown error"));
}

}  // namespace
