#include "test_support.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform_paths.h"

namespace testing_support {

TempFolder::TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/corvex-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) std::abort();
  m_path = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::operator/(const std::string& name) const { return m_path + "/" + name; }

void RedirectUserAndMachineFolders(const std::string& root) {
  const std::string home = root + "/home", windows = root + "/windows", system = root + "/system";
  for (const std::string& folder : {home, windows, system}) platform::MakeFolders(folder);
  platform::SetUserHome(home);
  platform::SetWindowsFolder(windows);
  platform::SetSystemFolder(system);
  setenv("HOME", home.c_str(), 1);
  setenv("CORVEX_PLATFORM_WINDOWS_DIR", windows.c_str(), 1);
  setenv("CORVEX_PLATFORM_SYSTEM_DIR", system.c_str(), 1);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

SettingsFile300::SettingsFile300() : path(folder / "CorvexV0.inf") {
  std::string content = "; suite settings\n";
  for (int section = 0; section < 10; ++section) {
    content += "[Section" + std::to_string(section) + "]\n";
    for (int key = 0; key < 30; ++key)
      content += "Key" + std::to_string(key) + "=value of key " + std::to_string(section * 30 + key) + "\n";
  }
  WriteWholeFile(path, content);
  const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  utimensat(AT_FDCWD, path.c_str(), old, 0);
}

namespace {

int waitWithTimeout(pid_t pid, int timeoutSeconds) {
  int status = 0;
  for (int waited = 0; waited < timeoutSeconds * 100; ++waited) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return 128 + SIGKILL;
}

}  // namespace

pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, int output) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  dup2(output, STDOUT_FILENO);
  dup2(output, STDERR_FILENO);
  for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

ChildResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env, int timeoutSeconds) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return {};
  const pid_t pid = StartProgram(program, args, env, pipeFds[1]);
  close(pipeFds[1]);
  ChildResult result;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof(buffer))) > 0) result.output.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  result.exitCode = waitWithTimeout(pid, timeoutSeconds);
  return result;
}

int RunInChild(const std::function<int()>& body, int timeoutSeconds) {
  fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int code = body();
    fflush(nullptr);
    _exit(code);
  }
  return waitWithTimeout(pid, timeoutSeconds);
}

int RunAsOrdinaryUser(const std::function<int()>& body) {
  return RunInChild([&] {
    const unsigned nobody = 65534;
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) return 99;
    return body();
  });
}

int FreeLoopbackPort() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  close(fd);
  return bound ? ntohs(address.sin_port) : -1;
}

}  // namespace testing_support
