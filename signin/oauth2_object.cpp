// The sign-in object: its PKCE pair, copied deeply, and the daily CA bundle check.
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <new>

#include "CCorvexNetworkUtils.h"
#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "authentication_failure.h"

namespace {

using Globals = CCorvexOAuth2Globals;

const int32_t kOneDay = 86400;

std::unique_ptr<CCorvexPkcePair> CopyOf(const std::unique_ptr<CCorvexPkcePair>& pair) {
  return std::unique_ptr<CCorvexPkcePair>(pair ? new (std::nothrow) CCorvexPkcePair(*pair) : nullptr);
}

void LogDownload(bool succeeded, const char* title, const char* success, const char* failure) {
  Logger* logger = Logger::getInstance();
  if (succeeded)
    logger->info(LOG_SCOPE_DEBUG, title, success);
  else
    logger->error(LOG_SCOPE_DEBUG, title, failure);
}

}  // namespace

CCorvexOAuth2::CCorvexOAuth2() {
  try {
    m_pPkcePair.reset(new (std::nothrow) CCorvexPkcePair);
    if (m_pPkcePair) m_pPkcePair->Generate();
    CheckCertificate();
  } catch (...) {
    ReportAuthenticationFailure("Unknown error");
  }
  m_isAuthorized = 0;
}

CCorvexOAuth2::~CCorvexOAuth2() = default;

CCorvexOAuth2::CCorvexOAuth2(const CCorvexOAuth2& other)
    : m_isAuthorized(other.m_isAuthorized), m_pPkcePair(CopyOf(other.m_pPkcePair)) {}

CCorvexOAuth2& CCorvexOAuth2::operator=(const CCorvexOAuth2& other) {
  if (this == &other) return *this;
  m_pPkcePair = CopyOf(other.m_pPkcePair);
  m_isAuthorized = other.m_isAuthorized;
  return *this;
}

// The bundle is downloaded at every start. The day of the last check is written when a
// day has passed, or, the first time, when the download succeeded.
void CCorvexOAuth2::CheckCertificate() {
  const int32_t now = static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr)));
  CString nowText, storedText;
  nowText.Format("%ld", static_cast<long>(now));
  if (Globals::DecryptData(Globals::CURRENT_TIME, storedText)) {
    const int32_t stored = static_cast<int32_t>(std::atol(storedText));
    const int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(stored));
    if (elapsed >= kOneDay) Globals::EncryptData(Globals::CURRENT_TIME, nowText);
    LogDownload(CCorvexNetworkUtils::DownloadCertificate(), "Download Certificat File", "Download Certificat SUCCEED",
                "Download Certificat FAILED");
    return;
  }
  const bool downloaded = CCorvexNetworkUtils::DownloadCertificate();
  LogDownload(downloaded, "Download Certificate File", "Download Certificate SUCCEED", "Download Certificate FAILED");
  if (downloaded) Globals::EncryptData(Globals::CURRENT_TIME, nowText);
}
