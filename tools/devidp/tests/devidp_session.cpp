#include "devidp_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "test_support.h"

namespace devidp_test {
namespace {

// The first line the program writes on standard output, or "" after 20 s or at its end.
std::string ReadFirstLine(int fd) {
  std::string line;
  char c = 0;
  pollfd waiting{fd, POLLIN, 0};
  while (poll(&waiting, 1, 20000) == 1 && read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

}  // namespace

std::string ProgramPath() { return CORVEX_DEVIDP_PATH; }

std::string DataFolder(const std::string& root) { return root + "/home/.halvorn/devidp"; }

DevIdpSession::DevIdpSession(const std::string& root, const std::vector<std::string>& extraArgs) : m_root(root) {
  int output[2];
  if (pipe(output) != 0) return;
  const std::string home = root + "/home", log = root + "/devidp.log";
  std::vector<std::string> args = {ProgramPath(), "--port", "0"};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  m_pid = fork();
  if (m_pid == 0) {
    dup2(output[1], STDOUT_FILENO);
    const int err = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(err, STDERR_FILENO);
    setenv("HOME", home.c_str(), 1);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(output[1]);
  const std::string line = ReadFirstLine(output[0]);
  close(output[0]);
  const std::string prefix = "listening on https://127.0.0.1:";
  if (line.rfind(prefix, 0) == 0) m_port = std::atoi(line.c_str() + prefix.size());
}

DevIdpSession::~DevIdpSession() { Stop(); }

int DevIdpSession::Stop() {
  if (m_pid <= 0) return -1;
  kill(m_pid, SIGTERM);
  int status = 0;
  waitpid(m_pid, &status, 0);
  m_pid = -1;
  m_port = 0;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string DevIdpSession::Log() const { return testing_support::ReadWholeFile(m_root + "/devidp.log"); }

std::string DevIdpSession::Url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string DevIdpSession::CaFile() const { return DataFolder(m_root) + "/ca.pem"; }

HttpAnswer DevIdpSession::Get(const std::string& path) const { return Fetch(path, nullptr); }

HttpAnswer DevIdpSession::Post(const std::string& path, const std::string& form) const { return Fetch(path, &form); }

HttpAnswer DevIdpSession::Fetch(const std::string& path, const std::string* form) const {
  HttpAnswer answer;
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  const std::string url = Url(path), ca = CaFile();
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CAPATH, nullptr);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 20L);
  if (form) {
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, form->c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(form->size()));
  }
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer.body);
  answer.result = curl_easy_perform(curl.get());
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &answer.status);
  char* location = nullptr;
  if (curl_easy_getinfo(curl.get(), CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location) {
    answer.location = location;
  }
  return answer;
}

std::string Encode(const std::string& text) {
  char* encoded = curl_easy_escape(nullptr, text.c_str(), static_cast<int>(text.size()));
  std::string result(encoded);
  curl_free(encoded);
  return result;
}

std::string Decode(const std::string& text) {
  int length = 0;
  char* decoded = curl_easy_unescape(nullptr, text.c_str(), static_cast<int>(text.size()), &length);
  std::string result(decoded, static_cast<size_t>(length));
  curl_free(decoded);
  return result;
}

}  // namespace devidp_test
