// The proxy: what the user's Internet settings and proxy scripts decide for an address,
// what reaches libcurl, and the log-in to a real proxy (tinyproxy) with the prompt.
#include <filesystem>

#include "network_fixture.h"

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
      {{{"AutoConfigURL", Http("/proxy.pac")}}, "10.1.1.1:8080", "Proxy 10.1.1.1:8080 used from PAC file" + noScriptProxy},
      {{{"AutoConfigURL", Http("/direct.pac")}}, "", "No proxy found from PAC file " + Http("/direct.pac") + noScriptProxy},
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
  EXPECT_EQ(Probe({"proxy", kTarget}),
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
              (std::vector<std::string>{
                  c.expected, "status proxy status: Proxy " + c.configured + " found in Internet Explorer configuration"}));
  }
}

}  // namespace
