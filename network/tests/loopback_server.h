// A cpp-httplib server (plain or TLS) on a free port of 127.0.0.1, served by its own
// thread for the object's life.
#pragma once

#include <httplib.h>

#include <string>
#include <thread>

class LoopbackServer {
 public:
  // Starts serving `server`, whose routes are set already.
  explicit LoopbackServer(httplib::Server& server, const char* scheme);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return m_port; }
  // scheme://127.0.0.1:port + path
  std::string Url(const std::string& path) const;

 private:
  httplib::Server& m_server;
  std::string m_scheme;
  int m_port = 0;
  std::thread m_thread;
};
