// The CA bundle: where it lives, and a download that installs only a complete, verified
// bundle, atomically, leaving nothing behind.
#include <chrono>
#include <filesystem>
#include <thread>

#include "network_fixture.h"

namespace fs = std::filesystem;
using testing_support::ReadWholeFile;
using testing_support::WriteWholeFile;

namespace {

const std::string kBundle = "##\n## Bundle of CA Root Certificates\n##\n" + std::string(4000, 'B') + "\n";
const std::string kOldBundle = "##\n## Bundle of CA Root Certificates\n## old\n";

class BundleTest : public NetworkFixture {
 protected:
  void SetUp() override {
    NetworkFixture::SetUp();
    https.Get("/ca/cacert.pem", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kBundle, "application/x-pem-file");
    });
    https.Get("/ca/page", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<html><body>Sign in to the network</body></html>", "text/html");
    });
    https.Get("/ca/missing", [](const httplib::Request&, httplib::Response& res) {
      res.status = 404;
      res.set_content(kBundle, "text/plain");
    });
    https.Get("/ca/cut", [](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(kBundle.size() * 2, "application/x-pem-file",
                               [](size_t offset, size_t, httplib::DataSink& sink) {
                                 if (offset > 0) return false;  // the connection drops halfway
                                 sink.write(kBundle.data(), kBundle.size());
                                 return true;
                               });
    });
    https.Get("/ca/slow", [](const httplib::Request&, httplib::Response& res) {
      res.set_chunked_content_provider("application/x-pem-file", [](size_t offset, httplib::DataSink& sink) {
        if (offset == kBundle.size()) {
          sink.done();
          return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sink.write(kBundle.data() + offset, std::min<size_t>(1000, kBundle.size() - offset));
        return true;
      });
    });
    untrusted.Get("/ca/cacert.pem", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kBundle, "application/x-pem-file");
    });
    StartServers();
    untrustedServer = std::make_unique<LoopbackServer>(untrusted, "https");
    WriteSettings(10, bundleFolder);
  }

  // The entries of a folder, by name.
  static std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
  }

  const std::string bundleFolder = tmp / "certs";
  TestCertificates otherCerts = MakeTestCertificates(tmp.path(), "other");
  httplib::SSLServer untrusted{otherCerts.serverCert.c_str(), otherCerts.serverKey.c_str()};
  std::unique_ptr<LoopbackServer> untrustedServer;
};

TEST_F(BundleTest, OnlyACompleteVerifiedBundleReplacesTheOldOne) {
  struct Case {
    const char* name;
    std::string url;
    bool installed;
  } cases[] = {
      {"valid", Https("/ca/cacert.pem"), true},
      {"HTML page", Https("/ca/page"), false},
      {"cut body", Https("/ca/cut"), false},
      {"404 with a bundle", Https("/ca/missing"), false},
      {"untrusted server", untrustedServer->Url("/ca/cacert.pem"), false},
  };
  const std::string bundle = bundleFolder + "/cacert.pem";
  for (const Case& c : cases) {
    fs::create_directories(bundleFolder);
    ASSERT_TRUE(WriteWholeFile(bundle, kOldBundle));
    EXPECT_EQ(Probe({"download", c.url, certs.caFile}),
              std::vector<std::string>{c.installed ? "download 1" : "download 0"})
        << c.name;
    EXPECT_EQ(ReadWholeFile(bundle), c.installed ? kBundle : kOldBundle) << c.name;
    EXPECT_EQ(Entries(bundleFolder), std::vector<std::string>{"cacert.pem"}) << c.name;
  }
}

TEST_F(BundleTest, UncreatableFolderFailsAndLeavesNothing) {
  ASSERT_TRUE(WriteWholeFile(tmp / "plainfile", "x"));
  WriteSettings(10, tmp / "plainfile/certs");
  EXPECT_EQ(Probe({"download", Https("/ca/cacert.pem"), certs.caFile}), std::vector<std::string>{"download 0"});
  EXPECT_NE(LogText().find("Certificate file cannot be installed: " + tmp / "plainfile/certs/cacert.pem."),
            std::string::npos);
  for (const auto& entry : fs::recursive_directory_iterator(tmp.path()))
    EXPECT_EQ(entry.path().filename().string().rfind("cacert.pem.", 0), std::string::npos) << entry.path();
  EXPECT_EQ(ReadWholeFile(tmp / "plainfile"), "x");
}

TEST_F(BundleTest, TwoProcessesAtOnceInstallOneWholeBundle) {
  std::vector<std::string> first, second;
  std::thread other([&] { first = Probe({"download", Https("/ca/slow"), certs.caFile}); });
  second = Probe({"download", Https("/ca/slow"), certs.caFile});
  other.join();
  EXPECT_EQ(first, std::vector<std::string>{"download 1"});
  EXPECT_EQ(second, std::vector<std::string>{"download 1"});
  EXPECT_EQ(ReadWholeFile(bundleFolder + "/cacert.pem"), kBundle);
  EXPECT_EQ(Entries(bundleFolder), std::vector<std::string>{"cacert.pem"});
}

TEST_F(BundleTest, BundlePathFollowsTheSettings) {
  struct Case {
    std::string cert, project, expected;
  } cases[] = {
      {tmp / "mine", "", tmp / "mine/cacert.pem"},
      {tmp / "mine/", "", tmp / "mine//cacert.pem"},
      {"~/bundle", "", home + "/bundle/cacert.pem"},
      {"", tmp / "work/Projects", tmp / "work/CERT/cacert.pem"},
      {"", "~/Documents/Tamberlo/Projects", home + "/Documents/Tamberlo/CERT/cacert.pem"},
      {"", "", home + "/.halvorn/CERT/cacert.pem"},
  };
  // No folder exists beforehand: a fresh home gets every missing level.
  for (const Case& c : cases) {
    WriteSettings(10, c.cert, c.project);
    EXPECT_EQ(Probe({"certpath"}), std::vector<std::string>{"certpath " + c.expected});
    EXPECT_TRUE(fs::is_directory(fs::path(c.expected).parent_path())) << c.expected;
  }
}

}  // namespace
