// Debian's tinyproxy on a free port of 127.0.0.1, with Basic authentication, for the
// object's life. It answers 407 without credentials and 401 to wrong ones.
#pragma once

#include <sys/types.h>

#include <string>

class TinyProxy {
 public:
  // Writes its configuration and log into `folder`.
  TinyProxy(const std::string& folder, const std::string& user, const std::string& password);
  ~TinyProxy();
  TinyProxy(const TinyProxy&) = delete;
  TinyProxy& operator=(const TinyProxy&) = delete;

  // "127.0.0.1:<port>", or "" when it did not start.
  std::string Address() const;

 private:
  pid_t m_pid = -1;
  int m_port = 0;
};
