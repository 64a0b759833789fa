#include "authenticator_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "corvex_deployment.h"
#include "engine_environment.h"
#include "https_test_site.h"

namespace {

std::string DeploymentPort() {
  const std::string host = CORVEX_IDP_HOST;
  const size_t colon = host.rfind(':');
  return colon == std::string::npos ? "443" : host.substr(colon + 1);
}

// A hard-linked copy of the program folder without its log; its settings file is a copy of
// its own, with the folder's paths pointing into the copy.
std::string CopyProgramFolder(const std::string& target) {
  testing_support::RunProgram("/bin/cp", {"-al", CORVEX_PROGRAM_DIR, target});
  std::filesystem::remove_all(target + "/Log");
  const std::string settings = target + "/CorvexV0.inf";
  std::string text = testing_support::ReadWholeFile(settings);
  unlink(settings.c_str());
  const std::string original = CORVEX_PROGRAM_DIR;
  for (size_t at = text.find(original); at != std::string::npos; at = text.find(original, at + target.size()))
    text.replace(at, original.size(), target);
  testing_support::WriteWholeFile(settings, text);
  return target;
}

}  // namespace

AuthenticatorSession::AuthenticatorSession(const std::vector<std::string>& providerArgs)
    : m_programFolder(CopyProgramFolder(m_root / "bin")) {
  testing_support::RedirectUserAndMachineFolders(m_root.path());
  std::vector<std::string> args = {"--port", DeploymentPort(), "--test-control"};
  args.insert(args.end(), providerArgs.begin(), providerArgs.end());
  // The port is the machine's: another run of these tests may hold it for a while.
  for (int attempt = 0; attempt < 240; ++attempt) {
    m_provider = std::make_unique<devidp_test::DevIdpSession>(m_root.path(), args);
    if (m_provider->Running()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  TrustCaInHome(Home(), m_provider->CaFile());
}

std::map<std::string, std::string> AuthenticatorSession::Environment(const std::string& record) const {
  std::map<std::string, std::string> env = EngineEnvironment(Home());
  env["CORVEX_PLATFORM_UI"] = "scripted";
  env["CORVEX_PLATFORM_UI_DIALOGS"] = "real";
  env["CORVEX_PLATFORM_UI_RECORD"] = record;
  return env;
}

std::vector<double> AuthenticatorSession::PageShownTimes() const {
  const std::string body = m_provider->Get("/_test/page-shown").body;  // {"shown":[t1,t2]}
  std::vector<double> times;
  for (size_t at = body.find('['); at != std::string::npos && body[at] != ']'; at = body.find_first_of(",]", at + 1))
    if (std::isdigit(static_cast<unsigned char>(body[at + 1]))) times.push_back(std::atof(body.c_str() + at + 1));
  return times;
}

BackgroundProgram::BackgroundProgram(const std::string& program, const std::vector<std::string>& args,
                                     const std::map<std::string, std::string>& env, const std::string& outputFile) {
  const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  m_pid = testing_support::StartProgram(program, args, env, output);
  close(output);
}

BackgroundProgram::~BackgroundProgram() {
  if (Running()) kill(m_pid, SIGKILL);
  Wait(10);
}

bool BackgroundProgram::Running() {
  int status = 0;
  if (m_exitCode < 0 && waitpid(m_pid, &status, WNOHANG) == m_pid)
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return m_exitCode < 0;
}

int BackgroundProgram::Wait(int timeoutSeconds) {
  if (m_exitCode >= 0) return m_exitCode;
  int status = 0;
  if (!WaitFor([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, timeoutSeconds)) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, &status, 0);
  }
  m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return m_exitCode;
}

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool WaitFor(const std::function<bool()>& condition, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}
