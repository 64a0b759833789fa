// A local HTTPS site for the engine tests: a server with a certificate for 127.0.0.1 from
// a test CA, on a free port, and a home folder whose NSS database trusts that CA.
#pragma once

#include <memory>
#include <string>

#include "loopback_server.h"
#include "test_support.h"

// Makes `home`'s NSS database (made if missing) trust the CA in `caFile`; "" trusts nothing.
void TrustCaInHome(const std::string& home, const std::string& caFile);

class HttpsTestSite {
 public:
  HttpsTestSite();

  // https://127.0.0.1:PORT + path
  std::string Address(const std::string& path) const;
  // A home folder whose NSS database trusts the test CA.
  const std::string& TrustingHome() const { return m_trustingHome; }
  // Makes `home`'s NSS database trust the test CA.
  void TrustIn(const std::string& home) const;
  // A home folder that trusts nothing of the test's.
  const std::string& PlainHome() const { return m_plainHome; }
  // A port of 127.0.0.1 where nothing listens.
  int ClosedPort() const { return m_closedPort; }

 private:
  testing_support::TempFolder m_folder;
  std::string m_trustingHome;
  std::string m_plainHome;
  std::string m_caFile;
  int m_closedPort = 0;
  std::unique_ptr<httplib::SSLServer> m_server;
  std::unique_ptr<LoopbackServer> m_serving;
};
