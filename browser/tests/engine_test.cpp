// The runtime on the real engine: a probe program opens a page of a local HTTPS site and
// prints what its client is told.
#include <gtest/gtest.h>

#include <chrono>

#include "engine_environment.h"
#include "https_test_site.h"

namespace {

using testing_support::ChildResult;

class BrowserEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site = new HttpsTestSite; }
  static void TearDownTestSuite() { delete site; }

  static ChildResult Probe(const std::string& url, const std::string& home, const std::string& mode = "") {
    std::vector<std::string> args = {url};
    if (!mode.empty()) args.push_back(mode);
    return testing_support::RunProgram(CORVEX_TEST_BIN_DIR "/browser_probe", args, EngineEnvironment(home), 60);
  }

  static HttpsTestSite* site;
};

HttpsTestSite* BrowserEngineTest::site = nullptr;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(BrowserEngineTest, PageLoadsInSubProcessesRunningWispalAndClosesOnce) {
  const ChildResult result = Probe(site->Address("/"), site->TrustingHome());
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_TRUE(Contains(result.output, "after-created\n")) << result.output;
  EXPECT_TRUE(Contains(result.output, "load-end 200 " + site->Address("/") + "\n")) << result.output;
  EXPECT_TRUE(Contains(result.output, "sub-process " CORVEX_PROGRAM_DIR "/Wispal\n")) << result.output;
  EXPECT_FALSE(Contains(result.output, "sub-process /usr")) << result.output;
  EXPECT_TRUE(Contains(result.output, "do-close\nbefore-close\n")) << result.output;
  // The engine's own threads (IO, GPU, compositor) are gone before exit unloads the libraries.
  const size_t at = result.output.find("threads after shutdown:");
  ASSERT_NE(at, std::string::npos) << result.output;
  const std::string threads = result.output.substr(at);
  EXPECT_FALSE(Contains(threads, " Chrome_") || Contains(threads, " Viz")) << threads;
}

TEST_F(BrowserEngineTest, HeadersGivenBackBeforeTheRequestReplaceTheEngines) {
  const ChildResult result = Probe(site->Address("/agent"), site->TrustingHome());
  EXPECT_TRUE(Contains(result.output, "title CorvexProbe/1.0\n")) << result.output;
}

TEST_F(BrowserEngineTest, FailedLoadsGiveTheEngineCodeAndTheFullAddress) {
  struct Case {
    std::string path;
    bool trusted;
    std::string expected;
  } cases[] = {
      {"/missing", true, "load-end 404 " + site->Address("/missing")},
      {"/redirect", true,
       "load-error -102 https://localhost:" + std::to_string(site->ClosedPort()) + "/callback?code=abc&state=1"},
      {"/", false, "load-error -202 " + site->Address("/")},
      {"https://[::1", true, "load-error -300 https://[::1"},                            // no URL
      {"https://\xFF.example/", true, "load-error -300 https://\xEF\xBF\xBD.example/"},  // not UTF-8
  };
  for (const Case& c : cases) {
    const ChildResult result =
        Probe(c.path[0] == '/' ? site->Address(c.path) : c.path, c.trusted ? site->TrustingHome() : site->PlainHome());
    EXPECT_EQ(result.exitCode, 0) << c.path << result.output;
    EXPECT_TRUE(Contains(result.output, c.expected + "\n")) << c.path << "\n" << result.output;
  }
}

TEST_F(BrowserEngineTest, WithoutADisplayTheRuntimeDoesNotStart) {
  const ChildResult result = testing_support::RunProgram(
      CORVEX_TEST_BIN_DIR "/browser_probe", {site->Address("/")},
      EngineEnvironment(site->TrustingHome(), {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":32767"}}), 60);
  EXPECT_EQ(result.exitCode, 3) << result.output;  // CefInitialize false, no abort
  EXPECT_TRUE(Contains(result.output, "Browser runtime not started: no window can be shown")) << result.output;
}

TEST_F(BrowserEngineTest, LeavingWithoutShutdownEndsPromptly) {
  const auto start = std::chrono::steady_clock::now();
  const ChildResult result = Probe(site->Address("/"), site->TrustingHome(), "no-shutdown");
  EXPECT_EQ(result.exitCode, 5) << result.output;  // the status given to exit, no crash
  EXPECT_TRUE(Contains(result.output, "load-end 200")) << result.output;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
