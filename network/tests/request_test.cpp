// DoNetworkRequest against the test's own servers: the policy it adds to a transfer,
// and a trace that never shows a secret.
#include <atomic>
#include <chrono>
#include <thread>

#include "network_fixture.h"
#include "tiny_proxy.h"

namespace {

class RequestTest : public NetworkFixture {
 protected:
  void SetUp() override {
    NetworkFixture::SetUp();
    https.Get("/ok", [](const httplib::Request&, httplib::Response& res) { res.set_content("hello", "text/plain"); });
    https.Get("/missing", [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
    https.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
      std::this_thread::sleep_for(std::chrono::seconds(2));
      res.set_content("late", "text/plain");
    });
    https.Post("/redirect", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 307;
      res.set_header("Location", Http("/sink"));
    });
    https.Post("/token", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(R"({"access_token":"AT-SECRET-1","refresh_token":"RT-SECRET-2","id_token":"ID-SECRET-3"})",
                      "application/json");
    });
    http.Post("/token", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(R"({"access_token":"AT-SECRET-1","refresh_token":"RT-SECRET-2","id_token":"ID-SECRET-3"})",
                      "application/json");
    });
    http.Post("/sink", [this](const httplib::Request&, httplib::Response&) { ++sinkHits; });
    StartServers();
  }

  std::atomic<int> sinkHits{0};
};

// Each case: settings, the probe's commands, its first line.
TEST_F(RequestTest, PolicyAroundTheTransfer) {
  struct Case {
    const char* name;
    int configuredTimeout;
    std::vector<std::string> commands;
    std::string expected;
  };
  const Case cases[] = {
      {"null handle", 10, {"null"}, "request -1 0 0"},
      {"404 completes", 10, {"cafile", certs.caFile, "request", Https("/missing"), "1", "1"}, "request 0 404 0"},
      {"https to http refused",
       10,
       {"cafile", certs.caFile, "post", "a=b", "request", Https("/redirect"), "1", "1"},
       "request 1 307 1"},
      {"configured time-out wins over a longer one",
       1,
       {"cafile", certs.caFile, "timeout", "30", "request", Https("/slow"), "1", "1"},
       "request 28 0 28"},
      {"configured time-out wins over a shorter one",
       10,
       {"cafile", certs.caFile, "timeout", "1", "request", Https("/slow"), "1", "1"},
       "request 0 200 0"},
      {"untrusted server", 10, {"request", Https("/ok"), "1", "1"}, "request 60 0 60"},
      {"malformed address", 10, {"request", "ht!tp://[::1", "1", "1"}, "request 3 0 3"},
      {"8 MB address", 10, {"bigrequest", "8388608"}, "request 43 0 43"},
  };
  for (const Case& c : cases) {
    WriteSettings(c.configuredTimeout);
    const std::vector<std::string> lines = Probe(c.commands);
    ASSERT_FALSE(lines.empty()) << c.name;
    EXPECT_EQ(lines[0], c.expected) << c.name;
  }
  EXPECT_EQ(sinkHits, 0) << "the body went out in clear";
}

// Through a proxy with credentials, to an https and a plain http endpoint.
TEST_F(RequestTest, DeepLogHoldsNoSecret) {
  TinyProxy proxy(tmp.path(), "proxyuser", "Pw-Secret-77");
  SetInternetSettings({{"ProxyEnable", "1"}, {"ProxyServer", proxy.Address()}});
  const std::vector<std::string> lines = Probe(
      {"login", "proxyuser", "Pw-Secret-77", "cafile", certs.caFile, "header", "Authorization: Bearer BEARER-SECRET-0",
       "post", "grant_type=authorization_code&code=CODE-SECRET-4&code_verifier=VERIFIER-SECRET-5&client_id=app",
       "request", Https("/token"), "1", "1", "request", Http("/token"), "1", "1"});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "request 0 200 0");
  EXPECT_EQ(lines[2], "request 0 200 0");
  const std::string log = LogText();
  EXPECT_NE(log.find("Proxy-Authorization: ***"), std::string::npos) << log;
  EXPECT_NE(log.find("code=***&code_verifier=***&client_id=app"), std::string::npos) << log;
  for (const char* secret : {"BEARER-SECRET", "CODE-SECRET", "VERIFIER-SECRET", "AT-SECRET", "RT-SECRET", "ID-SECRET",
                             "Pw-Secret-77", "cHJveHl1c2VyOlB3LVNlY3JldC03Nw=="})
    EXPECT_EQ(log.find(secret), std::string::npos) << secret;
}

}  // namespace
