#include "loopback_server.h"

LoopbackServer::LoopbackServer(httplib::Server& server, const char* scheme) : m_server(server), m_scheme(scheme) {
  // The socket listens once bound, so clients may connect before the thread runs.
  m_port = m_server.bind_to_any_port("127.0.0.1");
  m_thread = std::thread([this] { m_server.listen_after_bind(); });
}

LoopbackServer::~LoopbackServer() {
  // stop() does nothing to a server whose thread has not begun to listen yet.
  while (!m_server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  m_server.stop();
  m_thread.join();
}

std::string LoopbackServer::Url(const std::string& path) const {
  return m_scheme + "://127.0.0.1:" + std::to_string(m_port) + path;
}
