// The browser dialog and client on the real engine, against a local HTTPS site.
#include <gtest/gtest.h>

#include <map>

#include "engine_environment.h"
#include "https_test_site.h"
#include "tiny_proxy.h"
#include "xvfb_display.h"
#include "winreg.h"

namespace {

using testing_support::ChildResult;

class BrowserDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site = new HttpsTestSite; }
  static void TearDownTestSuite() { delete site; }

  static ChildResult Probe(const std::vector<std::string>& args, const std::string& home = site->TrustingHome(),
                           const std::map<std::string, std::string>& display = {{"QT_QPA_PLATFORM", "offscreen"}}) {
    return testing_support::RunProgram(CORVEX_TEST_BIN_DIR "/browser_dialog_probe", args,
                                       EngineEnvironment(home, display), 60);
  }

  static HttpsTestSite* site;
};

HttpsTestSite* BrowserDialogTest::site = nullptr;

// Where `part` starts in `text`, npos when absent.
size_t At(const std::string& text, const std::string& part) { return text.find(part); }

void SetUserProxy(const std::string& server) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", &key),
            ERROR_SUCCESS);
  const DWORD enable = 1;
  RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof(enable));
  RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                 static_cast<DWORD>(server.size() + 1));
  RegCloseKey(key);
}

// The dialog ended by WM_CLOSE from another thread: IDCANCEL, then DoClose and
// OnBeforeClose once each and nothing after them; a post to the closed dialog fails.
void ExpectClosedOnce(const ChildResult& result, const std::string& seen) {
  const std::string& out = result.output;
  EXPECT_EQ(result.exitCode, 0) << out;
  const size_t event = At(out, seen), doClose = At(out, "do-close\n"), beforeClose = At(out, "before-close\n");
  ASSERT_NE(event, std::string::npos) << out;
  EXPECT_LT(event, doClose) << out;
  EXPECT_LT(doClose, beforeClose) << out;
  EXPECT_EQ(out.rfind("do-close\n"), doClose) << out;
  EXPECT_EQ(out.rfind("load-"), out.rfind("load-", beforeClose)) << out;
  EXPECT_NE(At(out, "before-close\ndomodal 2\npost-after-close 0\n"), std::string::npos) << out;
}

TEST_F(BrowserDialogTest, CloseFromAnotherThreadEndsTheDialogThenTheBrowserOnce) {
  struct Case {
    std::string when, seen;
  } cases[] = {
      {"end", "load-end 200 " + site->Address("/") + "\n"},
      {"start", "load-start\n"},  // closed mid-load
      {"kill", "killed "},        // the renderer died first (with the sandbox, its zygote too)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    const ChildResult result = Probe({"dialog", site->Address("/"), c.when});
    ExpectClosedOnce(result, c.seen);
    EXPECT_EQ(At(result.output, "killed 0\n"), std::string::npos) << result.output;
  }
}

TEST_F(BrowserDialogTest, PageShowsInTheDialogOnARealDisplay) {
  XvfbDisplay display;
  ASSERT_FALSE(display.Name().empty());
  const ChildResult result = Probe({"dialog", site->Address("/green"), "look"}, site->TrustingHome(),
                                   {{"DISPLAY", display.Name()}, {"QT_QPA_PLATFORM", "xcb"}});
  ExpectClosedOnce(result, "colour #00c000\n");
}

TEST_F(BrowserDialogTest, ProxyLogInAnsweredLoadsCancelledFails) {
  testing_support::TempFolder proxyFolder;
  TinyProxy proxy(proxyFolder.path(), "ann", "s3cret");
  ASSERT_FALSE(proxy.Address().empty());
  struct Case {
    std::string login, outcome;
  } cases[] = {
      {"ann:s3cret", "load-end 200 " + site->Address("/") + "\n"},
      {"cancel", "load-error "},
  };
  for (const Case& c : cases) {
    testing_support::TempFolder root;  // an empty credential store: the first challenge shows the dialog
    testing_support::RedirectUserAndMachineFolders(root.path());
    const std::string home = std::getenv("HOME");
    site->TrustIn(home);
    SetUserProxy(proxy.Address());
    const ChildResult result = Probe({"window", site->Address("/"), c.login}, home);
    const std::string& out = result.output;
    EXPECT_EQ(result.exitCode, 0) << out;
    EXPECT_NE(At(out, c.outcome), std::string::npos) << c.login << "\n" << out;
    const size_t dialog = At(out, "log-in dialog 0x41001\n");
    EXPECT_NE(dialog, std::string::npos) << c.login << "\n" << out;
    EXPECT_EQ(out.rfind("log-in dialog"), dialog) << out;  // one
  }
}

}  // namespace
