#include "key_material.h"

#include <unistd.h>

#include "certificates.h"
#include "pem_files.h"

namespace devidp {

const char kCaFileName[] = "ca.pem";

namespace {

const char kCaKeyFileName[] = "ca-key.pem";
const char kServerFileName[] = "server.pem";
const char kServerKeyFileName[] = "server-key.pem";
const char kSigningKeyFileName[] = "signing-key.pem";

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool LoadOrMakeCa(const std::string& folder, KeyMaterial& keys, std::string& error) {
  const std::string certificatePath = folder + "/" + kCaFileName, keyPath = folder + "/" + kCaKeyFileName;
  if (Exists(certificatePath) || Exists(keyPath)) {
    keys.caCertificate = ReadCertificate(certificatePath);
    keys.caKey = ReadPrivateKey(keyPath);
    if (keys.caCertificate && keys.caKey && X509_check_private_key(keys.caCertificate.get(), keys.caKey.get()) == 1) {
      return true;
    }
    error = "the CA in " + folder + " (" + kCaFileName + ", " + kCaKeyFileName +
            ") is unreadable or incomplete; remove both files to make a new one";
    return false;
  }
  keys.caKey = NewEcKey();
  keys.caCertificate = MakeCaCertificate(keys.caKey.get());
  if (keys.caCertificate && WritePrivateKey(keyPath, keys.caKey.get()) &&
      WriteCertificate(certificatePath, keys.caCertificate.get())) {
    return true;
  }
  error = "cannot write the CA into " + folder;
  return false;
}

bool LoadOrMakeServer(const std::string& folder, const std::string& hostName, KeyMaterial& keys,
                      std::string& error) {
  const std::string certificatePath = folder + "/" + kServerFileName, keyPath = folder + "/" + kServerKeyFileName;
  keys.serverCertificate = ReadCertificate(certificatePath);
  keys.serverKey = ReadPrivateKey(keyPath);
  if (keys.serverCertificate && keys.serverKey &&
      X509_check_private_key(keys.serverCertificate.get(), keys.serverKey.get()) == 1 &&
      ServerCertificateFits(keys.serverCertificate.get(), keys.caKey.get(), hostName)) {
    return true;
  }
  keys.serverKey = NewEcKey();
  keys.serverCertificate =
      MakeServerCertificate(keys.serverKey.get(), keys.caCertificate.get(), keys.caKey.get(), hostName);
  if (keys.serverCertificate && WritePrivateKey(keyPath, keys.serverKey.get()) &&
      WriteCertificate(certificatePath, keys.serverCertificate.get())) {
    return true;
  }
  error = "cannot write the server certificate into " + folder;
  return false;
}

bool LoadOrMakeSigningKey(const std::string& folder, KeyMaterial& keys, std::string& error) {
  const std::string path = folder + "/" + kSigningKeyFileName;
  if (Exists(path)) {
    keys.signingKey = ReadPrivateKey(path);
    if (keys.signingKey && EVP_PKEY_is_a(keys.signingKey.get(), "RSA")) return true;
    error = "the signing key " + path + " is unreadable; remove it to make a new one";
    return false;
  }
  keys.signingKey = NewRsaKey();
  if (keys.signingKey && WritePrivateKey(path, keys.signingKey.get())) return true;
  error = "cannot write the signing key into " + folder;
  return false;
}

}  // namespace

bool LoadOrMakeKeyMaterial(const std::string& folder, const std::string& hostName, KeyMaterial& keys,
                           std::string& error) {
  return LoadOrMakeCa(folder, keys, error) && LoadOrMakeServer(folder, hostName, keys, error) &&
         LoadOrMakeSigningKey(folder, keys, error);
}

}  // namespace devidp
