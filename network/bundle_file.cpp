#include "bundle_file.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CCorvexNetworkUtils.h"

BundleFile::BundleFile(const std::string& folder)
    : m_path(folder + "/" + CCorvexNetworkUtils::CURL_CERT_NAME + ".XXXXXX") {
  const int fd = mkstemp(m_path.data());
  if (fd < 0) {
    Fail(m_path);
    m_path.clear();
    return;
  }
  m_file = fdopen(fd, "wb");
  if (!m_file) {
    Fail(m_path);
    close(fd);
  }
}

BundleFile::~BundleFile() {
  if (m_file) std::fclose(m_file);
  if (!m_installed && !m_path.empty()) unlink(m_path.c_str());
}

bool BundleFile::Fail(const std::string& what) {
  m_error = what + ": " + std::strerror(errno);
  return false;
}

bool BundleFile::Finish() {
  if (!m_file) return false;
  const bool written = std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
  if (!written) Fail(m_path);
  const bool closed = std::fclose(m_file) == 0;
  m_file = nullptr;
  return written && (closed || Fail(m_path));
}

bool BundleFile::InstallAs(const std::string& bundle) {
  // Readable like any other file of the user's, as the bundle it replaces was.
  if (chmod(m_path.c_str(), 0644) != 0) return Fail(m_path);
  if (rename(m_path.c_str(), bundle.c_str()) != 0) return Fail(bundle);
  m_installed = true;
  return true;
}
