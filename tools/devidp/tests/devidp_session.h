// Runs corvex-devidp for a test: on a free port, with HOME and its data folder in a
// temporary folder, talked to over HTTPS through libcurl with its own CA as the only
// trust anchor.
#pragma once

#include <curl/curl.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace devidp_test {

struct HttpAnswer {
  CURLcode result = CURLE_OK;
  long status = 0;
  std::string body;
  std::string location;  // the Location header of a redirect; redirects are not followed
};

class DevIdpSession {
 public:
  // HOME is `root`/home; the data folder is the default one under it.
  DevIdpSession(const std::string& root, const std::vector<std::string>& extraArgs = {});
  ~DevIdpSession();

  bool Running() const { return m_port > 0; }
  std::string Url(const std::string& path) const;
  std::string CaFile() const;

  HttpAnswer Get(const std::string& path) const;
  HttpAnswer Post(const std::string& path, const std::string& form) const;

  // Stops the program with SIGTERM; its exit code.
  int Stop();
  std::string Log() const;

 private:
  HttpAnswer Fetch(const std::string& path, const std::string* form) const;

  std::string m_root;
  pid_t m_pid = -1;
  int m_port = 0;
};

// The program's path, and its data folder under the home folder of `root`.
std::string ProgramPath();
std::string DataFolder(const std::string& root);

std::string Encode(const std::string& text);
std::string Decode(const std::string& text);

}  // namespace devidp_test
