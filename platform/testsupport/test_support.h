// Helpers for the test suites and benchmarks: temporary folders and child processes.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under $TMPDIR (or /tmp), removed with its content on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return m_path; }
  // path() + "/" + name
  std::string operator/(const std::string& name) const;

 private:
  std::string m_path;
};

// Points the platform's home, Windows and system folders into `root` (made if missing)
// for this process, and sets HOME and the CORVEX_PLATFORM_* variables so children agree.
void RedirectUserAndMachineFolders(const std::string& root);

std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& content);

// A 300-key settings file (10 sections of 30 keys "KeyN=value of key M") in a
// temporary folder, dated long ago as settings files are, so the profile cache
// trusts its time stamp without comparing bytes.
struct SettingsFile300 {
  SettingsFile300();
  TempFolder folder;
  std::string path;
};

struct ChildResult {
  int exitCode = -1;  // exit status, or 128 + signal when killed
  std::string output;  // standard output and error together
};

// A loopback port that was free a moment ago: nothing listens there (until a server the
// test starts takes it).
int FreeLoopbackPort();

// Starts a program with arguments and extra environment, its standard output and error
// going to `output`; its process id. Does not wait.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, int output);

// Runs a program with arguments and extra environment, waits, and collects its output.
ChildResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env = {}, int timeoutSeconds = 120);

// Runs `body` in a forked child and returns its exit code (the body's return value,
// or 128 + signal). For process-wide state a test must not leave behind.
int RunInChild(const std::function<int()>& body, int timeoutSeconds = 120);

// RunInChild, where a root child first becomes the unprivileged user "nobody" (exit
// code 99 when it cannot), so that permission checks apply as for an ordinary user.
int RunAsOrdinaryUser(const std::function<int()>& body);

}  // namespace testing_support
