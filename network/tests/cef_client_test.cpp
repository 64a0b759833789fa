// The browser application object and client, their notifications called directly on test
// browsers and frames, without the engine.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <thread>

#include "CCorvexCefApp.h"
#include "CCorvexCefClient.h"
#include "platform_ui.h"
#include "test_support.h"

namespace {

// A browser that is its own host and frame, and records what is asked of them.
class TestBrowser : public CefBrowser, public CefBrowserHost, public CefFrame {
 public:
  // CefBrowser methods:
  CefRefPtr<CefBrowserHost> GetHost() override { return this; }
  CefRefPtr<CefFrame> GetMainFrame() override { return this; }
  int GetIdentifier() override { return 1; }
  bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
  // CefBrowserHost methods:
  CefRefPtr<CefBrowser> GetBrowser() override { return this; }
  void CloseBrowser(bool force_close) override {
    closeThread = std::this_thread::get_id();
    closeForced = force_close;
    ++closeCalls;
  }
  HWND GetWindowHandle() override { return nullptr; }
  // CefFrame methods:
  CefString GetURL() override { return "https://idp.example/"; }
  void LoadURL(const CefString& url) override { loaded.push_back(url.ToString()); }
  bool IsMain() override { return true; }

  std::vector<std::string> loaded;
  std::thread::id closeThread;
  bool closeForced = false;
  int closeCalls = 0;

  IMPLEMENT_REFCOUNTING(TestBrowser);
};

class RecordingCallback : public CefAuthCallback {
 public:
  void Continue(const CefString& user, const CefString& password) override {
    given = user.ToString() + ":" + password.ToString();
  }
  void Cancel() override { given = "cancelled"; }
  std::string given;

  IMPLEMENT_REFCOUNTING(RecordingCallback);
};

class CountedApp : public CCorvexCefApp {
 public:
  explicit CountedApp(bool& deleted) : m_deleted(deleted) {}
  ~CountedApp() override { m_deleted = true; }

 private:
  bool& m_deleted;
};

std::string DecodeBase64(const std::string& text) {
  static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  int bits = 0;
  unsigned value = 0;
  for (char c : text) {
    if (c == '=') break;
    value = (value << 6 | static_cast<unsigned>(alphabet.find(c))) & 0xFFFFFF;
    if ((bits += 6) >= 8) bytes += static_cast<char>(value >> (bits -= 8) & 0xFF);
  }
  return bytes;
}

std::string DecodePercent(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return bytes;
}

TEST(CorvexCefAppTest, AddsOnlyDisableExtensionsForEveryProcessType) {
  CefRefPtr<CCorvexCefApp> app = new CCorvexCefApp;
  for (const char* type : {"", "renderer"}) {
    CefRefPtr<CefCommandLine> line = CefCommandLine::CreateCommandLine();
    app->OnBeforeCommandLineProcessing(type, line);
    EXPECT_EQ(line->GetSwitchArguments(), std::vector<std::string>{"--disable-extensions"}) << type;
  }
  EXPECT_EQ(app->GetBrowserProcessHandler().get(), static_cast<CefBrowserProcessHandler*>(app.get()));
}

TEST(CorvexCefAppTest, DeletedWhenTheLastReferenceGoes) {
  bool deleted = false;
  CefRefPtr<CCorvexCefApp> app = new CountedApp(deleted);
  CefRefPtr<CefBrowserProcessHandler> handler = app->GetBrowserProcessHandler();
  EXPECT_FALSE(app->HasOneRef());
  app = nullptr;
  EXPECT_FALSE(deleted);
  handler = nullptr;
  EXPECT_TRUE(deleted);
}

TEST(CorvexCefAppTest, DefaultClientIsTheCurrentHeldClient) {
  CefRefPtr<CCorvexCefApp> app = new CCorvexCefApp;
  EXPECT_FALSE(app->GetDefaultClient());
  CefRefPtr<CCorvexCefClient> older = new CCorvexCefClient;
  CefRefPtr<CCorvexCefClient> newer = new CCorvexCefClient;
  EXPECT_EQ(app->GetDefaultClient().get(), static_cast<CefClient*>(newer.get()));
  older = nullptr;  // destroying any client forgets the current one
  EXPECT_EQ(CCorvexCefClient::GetInstance(), nullptr);
  EXPECT_FALSE(app->GetDefaultClient());
  // A client made but not held yet is not handed out (counting it would delete it).
  auto* unheld = new CCorvexCefClient;
  EXPECT_FALSE(app->GetDefaultClient());
  CefRefPtr<CCorvexCefClient> held(unheld);
}

TEST(CorvexCefClientTest, KeepsItsBrowsersUntilTheirOwnCloseArrives) {
  CefRefPtr<CCorvexCefClient> client = new CCorvexCefClient;
  CefRefPtr<TestBrowser> first = new TestBrowser, second = new TestBrowser;
  EXPECT_FALSE(client->GetBrowser());
  client->OnAfterCreated(first.get());
  client->OnAfterCreated(second.get());
  EXPECT_EQ(client->GetBrowser().get(), static_cast<CefBrowser*>(first.get()));
  EXPECT_FALSE(client->DoClose(first.get()));
  EXPECT_FALSE(client->IsClosing());  // two browsers: not the last
  client->OnBeforeClose(first.get());
  EXPECT_EQ(client->GetBrowser().get(), static_cast<CefBrowser*>(second.get()));
  EXPECT_TRUE(first->HasOneRef());  // the list let it go
  EXPECT_FALSE(client->DoClose(second.get()));
  EXPECT_TRUE(client->IsClosing());
  client->OnBeforeClose(second.get());
  EXPECT_FALSE(client->GetBrowser());
}

TEST(CorvexCefClientTest, FailedLoadShowsTheErrorPageUnlessAborted) {
  CefRefPtr<CCorvexCefClient> client = new CCorvexCefClient;
  CefRefPtr<TestBrowser> browser = new TestBrowser;
  client->OnLoadError(browser.get(), browser.get(), -3, "ERR_ABORTED", "https://a.example/");
  client->OnLoadError(browser.get(), nullptr, -102, "ERR_CONNECTION_REFUSED", "https://a.example/");
  EXPECT_TRUE(browser->loaded.empty());

  client->OnLoadError(browser.get(), browser.get(), -202, "ERR_CERT_AUTHORITY_INVALID", u"https://\u00E9.example/?a=1&b=2");
  ASSERT_EQ(browser->loaded.size(), 1u);
  const std::string prefix = "data:text/html;base64,";
  ASSERT_EQ(browser->loaded[0].rfind(prefix, 0), 0u) << browser->loaded[0];
  const std::string encoded = browser->loaded[0].substr(prefix.size());
  EXPECT_EQ(encoded.find_first_of("+/="), std::string::npos);
  EXPECT_EQ(DecodeBase64(DecodePercent(encoded)),
            "<html><body bgcolor=\"white\"><h2>Failed to load URL https://\xC3\xA9.example/?a=1&b=2 with error "
            "ERR_CERT_AUTHORITY_INVALID (-202).</h2></body></html>");
}

TEST(CorvexCefClientTest, ProxyChallengesAlternateStoreAndDialogServerChallengesAreCancelled) {
  testing_support::TempFolder home;
  testing_support::RedirectUserAndMachineFolders(home.path());
  platform::ui::UseScriptedBackend();
  CefRefPtr<CCorvexCefClient> client = new CCorvexCefClient;
  CefRefPtr<TestBrowser> browser = new TestBrowser;
  const int kCancelled = 1223;
  struct Case {
    bool isProxy;
    platform::ui::Answer answer;
    bool expected;
    std::string given;
    std::string flags;  // of the dialog shown, "" for none
  } cases[] = {
      {false, {0, {{"user", "u"}, {"password", "p"}}}, false, "", ""},
      {true, {0, {{"user", "ann"}, {"password", "s3cret"}}}, true, "ann:s3cret", "0x41001"},
      {true, {kCancelled, {}}, false, "", "0x41081"},
      {true, {kCancelled, {}}, true, "ann:s3cret", ""},  // the kept entry answers, no dialog
  };
  for (const Case& c : cases) {
    platform::ui::UseScriptedBackend();
    platform::ui::QueueAnswer(c.answer);
    CefRefPtr<RecordingCallback> callback = new RecordingCallback;
    EXPECT_EQ(client->GetAuthCredentials(browser.get(), "https://a.example/", c.isProxy, "proxy.example", 3128,
                                         "realm", "basic", callback.get()),
              c.expected);
    EXPECT_EQ(callback->given, c.given);
    const std::vector<platform::ui::RecordedPrompt> prompts = platform::ui::RecordedPrompts();
    std::vector<std::string> shown;
    for (const platform::ui::RecordedPrompt& prompt : prompts)
      if (prompt.Field("shown") == "yes") shown.push_back(prompt.Field("flags"));
    EXPECT_EQ(shown, c.flags.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.flags});
  }
}

TEST(CorvexCefClientTest, CloseAllBrowsersFromAnotherThreadReachesEachHostOnTheUiThread) {
  int argc = 1;
  char name[] = "cef_client_test";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  CefRefPtr<CCorvexCefClient> client = new CCorvexCefClient;
  CefRefPtr<TestBrowser> first = new TestBrowser, second = new TestBrowser;
  client->OnAfterCreated(first.get());
  client->OnAfterCreated(second.get());
  std::thread([client] { client->CloseAllBrowsers(true); }).join();
  EXPECT_EQ(first->closeCalls, 0);  // not on the calling thread
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  QCoreApplication::exec();
  for (const CefRefPtr<TestBrowser>& browser : {first, second}) {
    EXPECT_EQ(browser->closeCalls, 1);
    EXPECT_EQ(browser->closeThread, std::this_thread::get_id());
    EXPECT_TRUE(browser->closeForced);
  }
}

}  // namespace
