#include "tiny_proxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "test_support.h"

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

bool Accepts(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(port);
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return connected;
}

}  // namespace

TinyProxy::TinyProxy(const std::string& folder, const std::string& user, const std::string& password)
    : m_port(testing_support::FreeLoopbackPort()) {
  const std::string config = folder + "/tinyproxy.conf";
  testing_support::WriteWholeFile(config, "Port " + std::to_string(m_port) +
                                              "\nListen 127.0.0.1\nTimeout 30\nMaxClients 50\nLogLevel Error\n"
                                              "BasicAuth " +
                                              user + " " + password + "\n");
  const std::string log = folder + "/tinyproxy.log";
  m_pid = fork();
  if (m_pid == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    execlp("tinyproxy", "tinyproxy", "-d", "-c", config.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 500 && !Accepts(m_port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TinyProxy::~TinyProxy() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  waitpid(m_pid, nullptr, 0);
}

std::string TinyProxy::Address() const {
  return m_pid > 0 && Accepts(m_port) ? "127.0.0.1:" + std::to_string(m_port) : "";
}
