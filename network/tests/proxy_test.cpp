// The proxy: what the user's Internet settings and proxy scripts decide for an address,
// what reaches libcurl, and the log-in to a real proxy (tinyproxy) with the prompt.
#include <filesystem>

#include "network_fixture.h"
#include "platform_ui.h"
#include "tiny_proxy.h"
#include "wincred.h"
#include "winreg.h"

namespace fs = std::filesystem;

namespace {

const char kTarget[] = "https://service.test/path";

class ProxyTest : public NetworkFixture {
 protected:
  void SetUp() override {
    NetworkFixture::SetUp();
    Script("/proxy.pac", R"(function FindProxyForURL(url, host) { return "PROXY 10.1.1.1:8080; DIRECT"; })");
    Script("/direct.pac", R"(function FindProxyForURL(url, host) { return "DIRECT; PROXY 10.1.1.1:8080"; })");
    Script("/junk.pac", "this is not a script {");
    Script("/endless.pac", "function FindProxyForURL(url, host) { for (;;) {} }");
    https.Get("/ok", [](const httplib::Request&, httplib::Response& res) { res.set_content("hello", "text/plain"); });
    StartServers();
  }

  void Script(const char* path, const char* text) {
    http.Get(path, [text](const httplib::Request&, httplib::Response& res) {
      res.set_content(text, "application/x-ns-proxy-autoconfig");
    });
  }
};

TEST_F(ProxyTest, DecisionFromTheInternetSettings) {
  struct Case {
    std::map<std::string, std::string> settings;
    std::string proxy;
    std::string decision;
  };
  const std::string noScriptProxy = " for URL " + std::string(kTarget);
  const Case cases[] = {
      {{}, "", ""},
      {{{"ProxyEnable", "1"}, {"ProxyServer", "10.0.0.1:3128"}},
       "10.0.0.1:3128",
       "Proxy 10.0.0.1:3128 found in Internet Explorer configuration"},
      {{{"ProxyEnable", "0"}, {"ProxyServer", "10.0.0.1:3128"}}, "", ""},
      {{{"ProxyEnable", "1"}, {"ProxyServer", "http=a:1;https=b:2"}},
       "http=a:1;https=b:2",
       "Proxy http=a:1;https=b:2 found in Internet Explorer configuration"},
      {{{"AutoDetect", "1"}}, "", ""},
      {{{"ProxyEnable", "1"}, {"ProxyServer", "10.0.0.1:3128"}, {"AutoConfigURL", Http("/proxy.pac")}},
       "10.0.0.1:3128",
       "Proxy 10.0.0.1:3128 found in Internet Explorer configuration"},
      {{{"AutoConfigURL", Http("/proxy.pac")}},
       "10.1.1.1:8080",
       "Proxy 10.1.1.1:8080 used from PAC file" + noScriptProxy},
      {{{"AutoConfigURL", Http("/direct.pac")}},
       "",
       "No proxy found from PAC file " + Http("/direct.pac") + noScriptProxy},
      {{{"AutoConfigURL", Http("/junk.pac")}}, "", "No proxy found from PAC file " + Http("/junk.pac") + noScriptProxy},
      {{{"AutoConfigURL", Http("/endless.pac")}},
       "",
       "No proxy found from PAC file " + Http("/endless.pac") + noScriptProxy},
      {{{"AutoConfigURL", "http://127.0.0.1:1/none.pac"}},
       "",
       "No proxy found from PAC file http://127.0.0.1:1/none.pac" + noScriptProxy},
  };
  for (const Case& c : cases) {
    SetInternetSettings(c.settings);
    EXPECT_EQ(Probe({"proxy", kTarget}),
              (std::vector<std::string>{"proxy " + c.proxy, "status proxy status: " + c.decision}));
  }
  // A hive that cannot be read.
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove_all(home + "/.halvorn/registry.db" + suffix);
  fs::create_directories(home + "/.halvorn/registry.db");
  EXPECT_EQ(
      Probe({"proxy", kTarget}),
      (std::vector<std::string>{"proxy ", "status proxy status: No proxy found in Internet Explorer configuration"}));
}

// libcurl gets the entry of the target's scheme; the status keeps the configured list.
TEST_F(ProxyTest, RequestUsesTheEntryOfItsScheme) {
  struct Case {
    std::string configured;
    std::string expected;
  } cases[] = {
      {"http=127.0.0.1:9;https=127.0.0.1:1", "request 7 0 7"},  // the https entry, which refuses
      {"http=127.0.0.1:1", "request 0 200 0"},                  // none for https: direct
      {"!!no such proxy!!", "request 5 0 5"},
  };
  for (const Case& c : cases) {
    SetInternetSettings({{"ProxyEnable", "1"}, {"ProxyServer", c.configured}});
    EXPECT_EQ(Probe({"cafile", certs.caFile, "request", Https("/ok"), "1", "1"}),
              (std::vector<std::string>{c.expected, "status proxy status: Proxy " + c.configured +
                                                        " found in Internet Explorer configuration"}));
  }
}

// A request through tinyproxy, whose credentials come from the prompt.
class ProxyLoginTest : public ProxyTest {
 protected:
  void SetUp() override {
    ProxyTest::SetUp();
    ASSERT_FALSE(proxy.Address().empty()) << testing_support::ReadWholeFile(tmp / "tinyproxy.log");
    SetInternetSettings({{"ProxyEnable", "1"}, {"ProxyServer", proxy.Address()}});
  }

  // Replaces the credential store's entry for the proxy (none when user is empty).
  void StoreCredentials(const std::string& user, const std::string& password) {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Halvorn\\Platform\\Credentials");
    if (user.empty()) return;
    platform::ui::UseScriptedBackend();
    platform::ui::QueueAnswer(platform::ui::Answer{0, {{"user", user}, {"password", password}}});
    char userBuffer[100] = {}, passwordBuffer[100] = {};
    ASSERT_EQ(CredUIPromptForCredentialsA(
                  nullptr, "Tamberlo", nullptr, 0, userBuffer, 100, passwordBuffer, 100, nullptr,
                  CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_PERSIST),
              NO_ERROR);
  }

  TinyProxy proxy{tmp.path(), "proxyuser", "Pw-Secret-77"};
};

TEST_F(ProxyLoginTest, PromptUntilTheProxyLetsThrough) {
  const std::string shown = "yes", silent = "no (answered from the store)";
  struct Case {
    const char* name;
    std::string storedPassword;  // "" for no stored entry
    std::vector<std::string> answers;
    std::string allowLogin;
    std::vector<std::string> expected;  // the request line and the prompts
  } cases[] = {
      {"right", "", {"login", "proxyuser", "Pw-Secret-77"}, "1", {"request 0 200 0", "prompt 0x41001 " + shown}},
      {"wrong then right",
       "",
       {"login", "proxyuser", "wrong", "login", "proxyuser", "Pw-Secret-77"},
       "1",
       {"request 0 200 0", "prompt 0x41001 " + shown, "prompt 0x41081 " + shown}},
      {"cancel", "", {"answer", "1223"}, "1", {"request -1 0 56", "prompt 0x41001 " + shown}},
      {"stored entry answers silently", "Pw-Secret-77", {}, "1", {"request 0 200 0", "prompt 0x41001 " + silent}},
      {"stored entry silent once, then dialogs",
       "stale",
       {"login", "proxyuser", "wrong", "login", "proxyuser", "Pw-Secret-77"},
       "1",
       {"request 0 200 0", "prompt 0x41001 " + silent, "prompt 0x41081 " + shown, "prompt 0x41081 " + shown}},
      {"no log-in allowed", "Pw-Secret-77", {}, "0", {"request 56 0 56"}},
  };
  for (const Case& c : cases) {
    StoreCredentials(c.storedPassword.empty() ? "" : "proxyuser", c.storedPassword);
    std::vector<std::string> commands = c.answers;
    for (const std::string& word : {std::string("cafile"), certs.caFile, std::string("request"), Https("/ok"),
                                    c.allowLogin, std::string("1"), std::string("prompts")})
      commands.push_back(word);
    std::vector<std::string> lines = Probe(commands);
    lines.erase(lines.begin() + 1);  // the proxy status
    EXPECT_EQ(lines, c.expected) << c.name;
  }
  for (const auto& entry : fs::recursive_directory_iterator(home)) {
    if (!entry.is_regular_file()) continue;
    EXPECT_EQ(testing_support::ReadWholeFile(entry.path().string()).find("Pw-Secret-77"), std::string::npos)
        << entry.path();
  }
}

}  // namespace
