// DownloadCertificate: fetches the CA bundle and installs it over the old one.
#include "cert_download.h"

#include <memory>

#include "CCorvexNetworkUtils.h"
#include "Logger.h"
#include "bundle_file.h"
#include "corvex_deployment.h"
#include "platform_files.h"
#include "platform_paths.h"

namespace {

const char kLogTitle[] = "Download Certificat File";
const long kDownloadTimeout = 5;  // replaced by the configured time-out

void LogInfo(const CString& text) { Logger::getInstance()->info(LOG_SCOPE_DEBUG, kLogTitle, text); }
void LogError(const CString& text) { Logger::getInstance()->error(LOG_SCOPE_DEBUG, kLogTitle, text); }

size_t WriteChunk(char* data, size_t size, size_t count, void* file) {
  CString line;
  line.Format("download certificate write_data size_t is %d", static_cast<int>(count));
  LogInfo(line);
  return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

struct CurlCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

// Runs the transfer into the file; true when it completed with status 200.
bool Fetch(CURL* curl, const CString& url, const CString& trustFile, FILE* file) {
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteChunk);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_CAINFO, trustFile.GetString());
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, kDownloadTimeout);
  long httpCode = 0;
  CURLcode curlCode = CURLE_OK;
  const int result = CCorvexNetworkUtils::DoNetworkRequest(curl, url, 1, httpCode, curlCode, 1);
  CString line;
  line.Format("DoNetworkRequest result is %d, httpcode: %ld, %s", result, httpCode,
              CCorvexNetworkUtils::CurrentProxyStatus.GetString());
  LogInfo(line);
  line.Format("download certificate http code is %d", static_cast<int>(httpCode));
  LogInfo(line);
  return result == CURLE_OK && httpCode == 200;
}

int CannotInstall(const std::string& reason) {
  CString line;
  line.Format("Certificate file cannot be installed: %s", reason.c_str());
  LogError(line);
  return 0;
}

}  // namespace

int DownloadCertificateFrom(const CString& url, const CString& trustFile) {
  LogInfo("begin download certificate");
  std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return 0;
  const std::string bundle = CCorvexNetworkUtils::GetCertPath().str();
  BundleFile download(platform::ParentFolder(bundle));
  if (!download.file()) return CannotInstall(download.error());
  LogInfo("begin download certificate, open certificate file");
  const bool fetched = Fetch(curl.get(), url, trustFile, download.file());
  curl.reset();
  const bool complete = download.Finish();
  if (!fetched) return 0;
  if (!complete) return CannotInstall(download.error());
  if (!CCorvexNetworkUtils::CheckCertificateValidity(download.path().c_str())) {
    LogError("Certificate File is corrupted");
    return 0;
  }
  LogInfo("Certificate file is valid");
  if (!download.InstallAs(bundle)) return CannotInstall(download.error());
  return 1;
}

int CCorvexNetworkUtils::DownloadCertificate() {
  return DownloadCertificateFrom(CURL_CERTIFICATE_URL, platform::ExpandHomePrefix(CORVEX_CERTIFICATE_TRUST_FILE));
}
