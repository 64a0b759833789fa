#include "test_certificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <stdexcept>

namespace {

EVP_PKEY* NewKey() { return EVP_EC_gen("P-256"); }

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
}

X509* NewCertificate(const char* commonName, EVP_PKEY* key, X509* issuer, EVP_PKEY* issuerKey, long serial) {
  X509* cert = X509_new();
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), serial);
  X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert), 86400);
  X509_NAME* name = X509_get_subject_name(cert);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509_set_issuer_name(cert, issuer ? X509_get_subject_name(issuer) : name);
  X509_set_pubkey(cert, key);
  if (issuer) {
    AddExtension(cert, issuer, NID_subject_alt_name, "IP:127.0.0.1");
    AddExtension(cert, issuer, NID_basic_constraints, "CA:FALSE");
  } else {
    AddExtension(cert, cert, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(cert, cert, NID_key_usage, "critical,keyCertSign,cRLSign");
  }
  X509_sign(cert, issuerKey, EVP_sha256());
  return cert;
}

void WritePem(const std::string& path, X509* cert, EVP_PKEY* key) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw std::runtime_error("cannot write " + path);
  if (cert) PEM_write_X509(file, cert);
  if (key) PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr);
  std::fclose(file);
}

}  // namespace

TestCertificates MakeTestCertificates(const std::string& folder, const std::string& name) {
  TestCertificates files{folder + "/" + name + "-ca.pem", folder + "/" + name + "-server.pem",
                         folder + "/" + name + "-server.key"};
  EVP_PKEY* caKey = NewKey();
  X509* ca = NewCertificate(("Test CA " + name).c_str(), caKey, nullptr, caKey, 1);
  EVP_PKEY* serverKey = NewKey();
  X509* server = NewCertificate("127.0.0.1", serverKey, ca, caKey, 2);
  WritePem(files.caFile, ca, nullptr);
  WritePem(files.serverCert, server, nullptr);
  WritePem(files.serverKey, nullptr, serverKey);
  X509_free(server);
  X509_free(ca);
  EVP_PKEY_free(serverKey);
  EVP_PKEY_free(caKey);
  return files;
}
