// A plain-HTTP server on 127.0.0.1 and a free port that serves PAC scripts by name.
#pragma once

#include <httplib.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

class PacServer {
 public:
  explicit PacServer(std::map<std::string, std::string> scripts) : m_scripts(std::move(scripts)) {
    m_server.Get(R"(/(\w+)\.pac)", [this](const httplib::Request& request, httplib::Response& response) {
      auto found = m_scripts.find(request.matches[1]);
      if (found == m_scripts.end()) {
        response.status = 404;
        return;
      }
      response.set_content(found->second, "application/x-ns-proxy-autoconfig");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~PacServer() {
    m_server.stop();
    m_thread.join();
  }

  // The address of the script `name`.
  std::string Url(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + name + ".pac";
  }

 private:
  std::map<std::string, std::string> m_scripts;
  httplib::Server m_server;
  int m_port = 0;
  std::thread m_thread;
};
