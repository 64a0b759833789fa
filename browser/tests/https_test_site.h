// A local HTTPS site for the engine tests: a test CA, a certificate for 127.0.0.1 and
// localhost signed by it, a home folder whose NSS database trusts the CA, and a server on
// a free port of 127.0.0.1.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

#include "test_support.h"

class HttpsTestSite {
 public:
  HttpsTestSite();
  ~HttpsTestSite();

  // https://127.0.0.1:PORT + path
  std::string Address(const std::string& path) const;
  // A home folder whose NSS database trusts the test CA.
  const std::string& TrustingHome() const { return m_trustingHome; }
  // A home folder that trusts nothing of the test's.
  const std::string& PlainHome() const { return m_plainHome; }
  // A port of 127.0.0.1 where nothing listens.
  int ClosedPort() const { return m_closedPort; }

 private:
  testing_support::TempFolder m_folder;
  std::string m_trustingHome;
  std::string m_plainHome;
  std::unique_ptr<httplib::SSLServer> m_server;
  std::thread m_thread;
  int m_port = 0;
  int m_closedPort = 0;
};
