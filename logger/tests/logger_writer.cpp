// Test program: writes log lines as told on its command line. The tests copy it
// into a temporary program folder beside its own CorvexV0.inf.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "Logger.h"
#include "winmodule.h"
#include "winprofile.h"

namespace {

// Callers pass any int as a scope (7 is written "A"): the cast below must be defined.
static_assert(std::is_same<std::underlying_type<LOG_SCOPE>::type, int>::value, "LOG_SCOPE holds any int");

const char* arg(const char* text) { return std::strcmp(text, "@NULL") == 0 ? nullptr : text; }

void writeLevel(const std::string& level, int scope, const char* title, const char* text) {
  Logger* log = Logger::getInstance();
  LOG_SCOPE s = static_cast<LOG_SCOPE>(scope);
  if (level == "info") log->info(s, title, text);
  if (level == "warning") log->warning(s, title, text);
  if (level == "error") log->error(s, title, text);
  if (level == "fatal") log->fatal(s, title, text);
  if (level == "track") log->track(s, title, text);
}

std::string ownSettingsFile() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return std::string(path, std::strrchr(path, '/') + 1) + "CorvexV0.inf";
}

// Lines "P<p> T<t> N<n> <padding>"; every seventh line is over 8 KiB.
void bulk(int process, int threads, int lines) {
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t)
    workers.emplace_back([=] {
      for (int n = 0; n < lines; ++n) {
        std::string text = "P" + std::to_string(process) + " T" + std::to_string(t) + " N" + std::to_string(n) + " ";
        text += std::string(n % 7 == 0 ? 9000 : 40, static_cast<char>('a' + t));
        Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Bulk", text.c_str());
      }
    });
  for (auto& w : workers) w.join();
}

int instances() {
  std::vector<std::thread> threads;
  std::vector<Logger*> seen(16);
  for (int i = 0; i < 16; ++i) threads.emplace_back([&seen, i] { seen[i] = Logger::getInstance(); });
  for (auto& t : threads) t.join();
  std::printf("%zu\n", std::set<Logger*>(seen.begin(), seen.end()).size());
  return 0;
}

}  // namespace

extern "C" CString ProbeCallStack();

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string mode = argv[1];
  if (mode == "line" && argc == 6) {
    writeLevel(argv[2], std::atoi(argv[3]), arg(argv[4]), arg(argv[5]));
  } else if (mode == "raw" && argc == 3) {
    std::string text = argv[2];
    Logger::getInstance()->logRawData(text);
  } else if (mode == "big" && argc == 3) {
    std::string text(static_cast<size_t>(std::atoi(argv[2])), 'x');
    Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Big", text.c_str());
  } else if (mode == "bulk" && argc == 5) {
    bulk(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  } else if (mode == "instances") {
    return instances();
  } else if (mode == "deeplog") {
    // The switch is read once: a later change of the file is not seen.
    int before = Logger::getInstance()->isDeepLog();
    WritePrivateProfileStringA("LOG", "LogFileDeep", before ? "0" : "1", ownSettingsFile().c_str());
    std::printf("%d %d\n", before, Logger::getInstance()->isDeepLog());
  } else if (mode == "resize" && argc == 3) {
    // One line, a new size limit, another line: the limit acts on the second line.
    Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Resize", "first");
    WritePrivateProfileStringA("LOG", "LogFileMaxSize", argv[2], ownSettingsFile().c_str());
    Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Resize", "second");
  } else if (mode == "callstack") {
    std::fputs(ProbeCallStack().GetString(), stdout);
  } else {
    return 2;
  }
  return 0;
}
