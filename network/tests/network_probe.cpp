// The network probe: a program of a test's program folder that loads the folder's
// settings and runs the network layer's operations named on its command line, one
// output line each. Credential prompts are answered from the command line.
//
//   answer CODE                    queue an answer for the next prompt
//   login USER PASSWORD            queue a confirmed prompt with these credentials
//   cafile PATH | post BODY | header LINE | timeout SECONDS    options of the next requests
//   request URL ALLOW USEPROXY     "request <result> <httpCode> <curlCode>"
//   bigrequest LENGTH              the same for an address of LENGTH bytes
//   null                           the same for a null handle
//   download URL TRUSTFILE         "download <result>"
//   certpath                       "certpath <path>"
//   proxy URL                      "proxy <proxy>"
//   prompts                        "prompt <flags> <shown>" for each prompt so far
// Every request, download and proxy line is followed by "status <CurrentProxyStatus>".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CCorvexNetworkUtils.h"
#include "CorvexNetworkDLL.h"
#include "CorvexSettings.h"
#include "cert_download.h"
#include "platform_ui.h"

namespace {

struct RequestOptions {
  std::string caFile;
  std::string body;
  std::string header;
  long timeout = 0;
};

class ProxyProbe : public CCorvexNetworkUtils {
 public:
  CString Proxy(const char* url) { return _GetProxyServer(url); }
};

void PrintStatus() { std::printf("status %s\n", CCorvexNetworkUtils::CurrentProxyStatus.GetString()); }

void Request(const char* url, int allowLogin, int useProxy, const RequestOptions& options) {
  CURL* curl = curl_easy_init();
  if (!options.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, options.caFile.c_str());
  if (!options.body.empty()) curl_easy_setopt(curl, CURLOPT_POSTFIELDS, options.body.c_str());
  if (options.timeout) curl_easy_setopt(curl, CURLOPT_TIMEOUT, options.timeout);
  curl_slist* headers = options.header.empty() ? nullptr : curl_slist_append(nullptr, options.header.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(
      curl, CURLOPT_WRITEFUNCTION, +[](char*, size_t, size_t count, void*) { return count; });
  long httpCode = -1;
  CURLcode curlCode = CURLE_OK;
  const int result = CCorvexNetworkUtils::DoNetworkRequest(curl, url, allowLogin, httpCode, curlCode, useProxy);
  std::printf("request %d %ld %d\n", result, httpCode, static_cast<int>(curlCode));
  PrintStatus();
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
}

void QueueLogin(const char* user, const char* password) {
  platform::ui::Answer answer;
  answer.values = {{"user", user}, {"password", password}};
  platform::ui::QueueAnswer(answer);
}

void PrintPrompts() {
  for (const platform::ui::RecordedPrompt& prompt : platform::ui::RecordedPrompts())
    std::printf("prompt %s %s\n", prompt.Field("flags").c_str(), prompt.Field("shown").c_str());
}

std::string ProgramFolder(const char* argv0) {
  const std::string path = argv0;
  return path.substr(0, path.rfind('/'));
}

}  // namespace

int main(int argc, char** argv) {
  platform::ui::UseScriptedBackend();
  CCorvexSettings::SetFile((ProgramFolder(argv[0]) + "/CorvexV0.inf").c_str());
  InitCorvexNetworkDLL();
  RequestOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string command = argv[i];
    const int left = argc - i - 1;
    if (command == "answer" && left >= 1) {
      platform::ui::QueueAnswer(std::atoi(argv[++i]));
    } else if (command == "login" && left >= 2) {
      QueueLogin(argv[i + 1], argv[i + 2]);
      i += 2;
    } else if (command == "cafile" && left >= 1) {
      options.caFile = argv[++i];
    } else if (command == "post" && left >= 1) {
      options.body = argv[++i];
    } else if (command == "header" && left >= 1) {
      options.header = argv[++i];
    } else if (command == "bigrequest" && left >= 1) {
      Request(("https://127.0.0.1/" + std::string(std::atol(argv[++i]), 'a')).c_str(), 1, 1, options);
    } else if (command == "timeout" && left >= 1) {
      options.timeout = std::atol(argv[++i]);
    } else if (command == "request" && left >= 3) {
      Request(argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]), options);
      i += 3;
    } else if (command == "null") {
      long httpCode = -1;
      CURLcode curlCode = CURLE_OK;
      const int result = CCorvexNetworkUtils::DoNetworkRequest(nullptr, "https://x", 1, httpCode, curlCode, 1);
      std::printf("request %d %ld %d\n", result, httpCode, static_cast<int>(curlCode));
    } else if (command == "download" && left >= 2) {
      std::printf("download %d\n", DownloadCertificateFrom(argv[i + 1], argv[i + 2]));
      i += 2;
    } else if (command == "certpath") {
      std::printf("certpath %s\n", CCorvexNetworkUtils::GetCertPath().GetString());
    } else if (command == "proxy" && left >= 1) {
      std::printf("proxy %s\n", ProxyProbe().Proxy(argv[++i]).GetString());
      PrintStatus();
    } else if (command == "prompts") {
      PrintPrompts();
    } else {
      std::fprintf(stderr, "unknown or incomplete command %s\n", argv[i]);
      return 2;
    }
  }
  return 0;
}
