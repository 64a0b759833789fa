// A test CA and a certificate for 127.0.0.1 signed by it, made with OpenSSL.
#pragma once

#include <string>

struct TestCertificates {
  std::string caFile;      // the CA's certificate (PEM)
  std::string serverCert;  // the server's certificate for 127.0.0.1 (PEM)
  std::string serverKey;   // its private key (PEM)
};

// Writes a fresh CA and server certificate into `folder` as <name>-ca.pem,
// <name>-server.pem and <name>-server.key.
TestCertificates MakeTestCertificates(const std::string& folder, const std::string& name);
