#include "pem_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <openssl/bio.h>
#include <openssl/pem.h>

#include <cstdio>

namespace devidp {
namespace {

struct BioFree {
  void operator()(BIO* bio) const { BIO_free(bio); }
};
using BioPtr = std::unique_ptr<BIO, BioFree>;

std::string BioText(BIO* bio) {
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio, &data);
  return std::string(data, static_cast<size_t>(length));
}

bool WritePrivateFile(const std::string& path, const std::string& content) {
  const std::string temporary = path + ".new";
  unlink(temporary.c_str());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool written = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
                       fsync(fd) == 0;
  close(fd);
  if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

BioPtr OpenForReading(const std::string& path) { return BioPtr(BIO_new_file(path.c_str(), "r")); }

}  // namespace

X509Ptr ReadCertificate(const std::string& path) {
  BioPtr bio = OpenForReading(path);
  return X509Ptr(bio ? PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr) : nullptr);
}

EvpKeyPtr ReadPrivateKey(const std::string& path) {
  BioPtr bio = OpenForReading(path);
  return EvpKeyPtr(bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr) : nullptr);
}

std::string CertificatePem(X509* certificate) {
  BioPtr bio(BIO_new(BIO_s_mem()));
  PEM_write_bio_X509(bio.get(), certificate);
  return BioText(bio.get());
}

bool WriteCertificate(const std::string& path, X509* certificate) {
  return WritePrivateFile(path, CertificatePem(certificate));
}

bool WritePrivateKey(const std::string& path, EVP_PKEY* key) {
  BioPtr bio(BIO_new(BIO_s_mem()));
  if (PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1) return false;
  return WritePrivateFile(path, BioText(bio.get()));
}

}  // namespace devidp
