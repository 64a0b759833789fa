#include "xvfb_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

XvfbDisplay::XvfbDisplay() {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  m_pid = fork();
  if (m_pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // also where the object is never destroyed
    close(pipeEnds[0]);
    const std::string fd = std::to_string(pipeEnds[1]);
    // -noreset: the server resets when its last client leaves, and a client connecting
    // during the reset is refused (the platform's display check is such a last client).
    execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
          "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);  // not for the programs the test starts next
  // Xvfb writes its display number and a line end once it accepts connections. The pipe
  // stays open while it runs: a write to a closed pipe would end it.
  m_numberPipe = pipeEnds[0];
  std::string number;
  char c = 0;
  while (m_pid > 0 && number.size() < 16) {
    const ssize_t length = read(m_numberPipe, &c, 1);
    if (length < 0 && errno == EINTR) continue;
    if (length <= 0 || c == '\n') break;
    number += c;
  }
  if (!number.empty()) m_name = ":" + number;
}

XvfbDisplay::~XvfbDisplay() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  if (m_numberPipe >= 0) close(m_numberPipe);
}
