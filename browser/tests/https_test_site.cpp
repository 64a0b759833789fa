#include "https_test_site.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "test_certificates.h"

namespace {

void run(const std::string& program, const std::vector<std::string>& args) {
  testing_support::ChildResult result = testing_support::RunProgram(program, args);
  ASSERT_EQ(result.exitCode, 0) << program << ": " << result.output;
}

void addPages(httplib::SSLServer& server, int closed) {
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("<html><head><title>Corvex test page</title></head><body>Hello</body></html>", "text/html");
  });
  server.Get("/green", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("<html><body style=\"background:#00c000\"></body></html>", "text/html");
  });
  server.Get("/agent", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content("<html><head><title>" + request.get_header_value("User-Agent") + "</title></head></html>",
                         "text/html");
  });
  server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("<html><body>Not here</body></html>", "text/html");
  });
  server.Get("/redirect", [closed](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("https://localhost:" + std::to_string(closed) + "/callback?code=abc&state=1");
  });
}

}  // namespace

void TrustCaInHome(const std::string& home, const std::string& caFile) {
  const std::string nss = home + "/.pki/nssdb";
  run("/bin/mkdir", {"-p", nss});
  if (caFile.empty()) return;
  run("/usr/bin/certutil", {"-N", "--empty-password", "-d", "sql:" + nss});
  run("/usr/bin/certutil", {"-A", "-t", "C,,", "-n", "testca", "-i", caFile, "-d", "sql:" + nss});
}

HttpsTestSite::HttpsTestSite()
    : m_trustingHome(m_folder / "trusting"),
      m_plainHome(m_folder / "plain"),
      m_closedPort(testing_support::FreeLoopbackPort()) {
  const TestCertificates certificates = MakeTestCertificates(m_folder.path(), "site");
  m_caFile = certificates.caFile;
  TrustCaInHome(m_trustingHome, m_caFile);
  TrustCaInHome(m_plainHome, "");
  m_server = std::make_unique<httplib::SSLServer>(certificates.serverCert.c_str(), certificates.serverKey.c_str());
  addPages(*m_server, m_closedPort);
  m_serving = std::make_unique<LoopbackServer>(*m_server, "https");
}

std::string HttpsTestSite::Address(const std::string& path) const { return m_serving->Url(path); }

void HttpsTestSite::TrustIn(const std::string& home) const { TrustCaInHome(home, m_caFile); }
