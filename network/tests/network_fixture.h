// A program folder in a temporary folder with the network probe and its settings
// (deep log on), home and hive in the temporary folder, no proxy variables, a test CA
// with a certificate for 127.0.0.1, and an HTTPS and a plain HTTP server on free
// ports whose routes each test adds.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "loopback_server.h"
#include "test_certificates.h"
#include "test_support.h"

class NetworkFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  // The settings file of the program folder; folder values as given.
  void WriteSettings(int curlTimeout, const std::string& certFolder = "", const std::string& projectFolder = "");
  // Starts the servers with the routes set so far.
  void StartServers();
  std::string Https(const std::string& path) const { return m_httpsServer->Url(path); }
  std::string Http(const std::string& path) const { return m_httpServer->Url(path); }

  // Runs the probe with the given commands; its output lines.
  std::vector<std::string> Probe(const std::vector<std::string>& commands);
  std::string LogText() const;

  // Replaces the user's Internet settings in the hive (none: no key): ProxyEnable and
  // AutoDetect as numbers, the others as texts.
  void SetInternetSettings(const std::map<std::string, std::string>& values);

  testing_support::TempFolder tmp;
  const std::string home = tmp / "home";
  const std::string program = tmp / "program";
  const std::string logFolder = tmp / "log";
  TestCertificates certs = MakeTestCertificates(tmp.path(), "test");
  httplib::SSLServer https{certs.serverCert.c_str(), certs.serverKey.c_str()};
  httplib::Server http;

 private:
  std::unique_ptr<LoopbackServer> m_httpsServer;
  std::unique_ptr<LoopbackServer> m_httpServer;
};
