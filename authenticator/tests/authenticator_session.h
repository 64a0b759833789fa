// The authenticator against the development provider, for the end-to-end tests: a fresh
// root with the user's home (its hive, and an NSS database that trusts the provider's
// CA), a copy of the program folder whose settings point into the copy (each copy has its
// own single-instance guard), and the provider on the deployment's port.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devidp_session.h"
#include "test_support.h"

class AuthenticatorSession {
 public:
  // Starts the provider with --test-control and `providerArgs` on the deployment's port.
  explicit AuthenticatorSession(const std::vector<std::string>& providerArgs = {"--auto-submit"});

  devidp_test::DevIdpSession& Provider() { return *m_provider; }
  const std::string& ProgramFolder() const { return m_programFolder; }
  std::string Program() const { return m_programFolder + "/CorvexStandAloneAuthent"; }
  std::string Home() const { return m_root / "home"; }
  std::string RootFile(const std::string& name) const { return m_root / name; }
  // The environment of a run whose boxes are recorded in `record`: offscreen, boxes scripted
  // (answered OK), the dialog real.
  std::map<std::string, std::string> Environment(const std::string& record) const;
  // The times the login page reported its load event, in milliseconds of the monotonic
  // clock (NowMs), and their count.
  std::vector<double> PageShownTimes() const;
  size_t PagesShown() const { return PageShownTimes().size(); }

 private:
  testing_support::TempFolder m_root;
  std::string m_programFolder;
  std::unique_ptr<devidp_test::DevIdpSession> m_provider;
};

// A program started in the background, its output in a file.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& env, const std::string& outputFile);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  pid_t Pid() const { return m_pid; }
  bool Running();
  // Its exit code (128 + signal when killed), after at most `timeoutSeconds`, then killed.
  int Wait(int timeoutSeconds);

 private:
  pid_t m_pid = -1;
  int m_exitCode = -1;
};

// Now on the system's monotonic clock, in milliseconds.
double NowMs();

// Waits up to `seconds` for `condition`; its last answer.
bool WaitFor(const std::function<bool()>& condition, int seconds);
