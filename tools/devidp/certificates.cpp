#include "certificates.h"

#include <arpa/inet.h>

#include <openssl/bn.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

namespace devidp {
namespace {

const long kDay = 24 * 60 * 60;

bool IsIpAddress(const std::string& host) {
  unsigned char address[16];
  return inet_pton(AF_INET, host.c_str(), address) == 1 || inet_pton(AF_INET6, host.c_str(), address) == 1;
}

std::string SubjectAltNames(const std::string& hostName) {
  std::string names = "IP:127.0.0.1,DNS:localhost";
  if (!hostName.empty() && hostName != "localhost" && !IsIpAddress(hostName)) names += ",DNS:" + hostName;
  return names;
}

void AddExtension(X509* certificate, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_nconf_nid(nullptr, &context, nid, value.c_str());
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

X509Ptr NewCertificate(EVP_PKEY* key, const char* commonName, long days) {
  X509Ptr certificate(X509_new());
  X509_set_version(certificate.get(), 2);
  BIGNUM* serial = BN_new();
  BN_rand(serial, 120, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY);
  BN_to_ASN1_INTEGER(serial, X509_get_serialNumber(certificate.get()));
  BN_free(serial);
  X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -kDay);
  X509_gmtime_adj(X509_getm_notAfter(certificate.get()), days * kDay);
  X509_set_pubkey(certificate.get(), key);
  X509_NAME* name = X509_get_subject_name(certificate.get());
  X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>("Corvex development"), -1, -1, 0);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName),
                             -1, -1, 0);
  return certificate;
}

bool CertificateNamesHost(X509* certificate, const std::string& hostName) {
  if (hostName.empty() || IsIpAddress(hostName)) return true;
  return X509_check_host(certificate, hostName.c_str(), hostName.size(), 0, nullptr) == 1;
}

}  // namespace

EvpKeyPtr NewEcKey() { return EvpKeyPtr(EVP_EC_gen("P-256")); }

EvpKeyPtr NewRsaKey() { return EvpKeyPtr(EVP_RSA_gen(2048)); }

X509Ptr MakeCaCertificate(EVP_PKEY* caKey) {
  X509Ptr ca = NewCertificate(caKey, "Corvex development CA", 3650);
  X509_set_issuer_name(ca.get(), X509_get_subject_name(ca.get()));
  AddExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash");
  if (X509_sign(ca.get(), caKey, EVP_sha256()) == 0) return nullptr;
  return ca;
}

X509Ptr MakeServerCertificate(EVP_PKEY* serverKey, X509* ca, EVP_PKEY* caKey,
                              const std::string& hostName) {
  X509Ptr server = NewCertificate(serverKey, "Corvex development identity provider", 397);
  X509_set_issuer_name(server.get(), X509_get_subject_name(ca));
  AddExtension(server.get(), ca, NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(server.get(), ca, NID_key_usage, "critical,digitalSignature,keyEncipherment");
  AddExtension(server.get(), ca, NID_ext_key_usage, "serverAuth");
  AddExtension(server.get(), ca, NID_subject_alt_name, SubjectAltNames(hostName));
  AddExtension(server.get(), ca, NID_authority_key_identifier, "keyid:always");
  if (X509_sign(server.get(), caKey, EVP_sha256()) == 0) return nullptr;
  return server;
}

bool ServerCertificateFits(X509* certificate, EVP_PKEY* caKey, const std::string& hostName) {
  time_t tomorrow = time(nullptr) + kDay;
  return X509_verify(certificate, caKey) == 1 && CertificateNamesHost(certificate, hostName) &&
         X509_cmp_time(X509_get0_notAfter(certificate), &tomorrow) > 0;
}

}  // namespace devidp
