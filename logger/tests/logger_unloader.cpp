// Test program: loads the logger at run time (through unload_probe, named on the
// command line), unloads and loads it again, then leaves through exit() while four
// threads keep writing lines with the instance they fetched before. An exit handler
// registered before the load runs after the logger's unload code, lets the threads
// write on for a while and writes one more line itself.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "winmodule.h"

class Logger;

namespace {

using ProbeLoggerFn = Logger* (*)();
using ProbeLineFn = void (*)(Logger*, const char*);

std::atomic<long> g_lines{0};
Logger* g_logger = nullptr;
ProbeLineFn g_line = nullptr;

void waitForLines(long count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (g_lines < count && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void afterUnload() {
  waitForLines(g_lines + 200);
  g_line(g_logger, "after unload");
}

template <typename Function>
Function procedure(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE loadProbe(const char* path) {
  HMODULE probe = LoadLibraryA(path);
  if (!probe) std::exit(3);
  g_logger = procedure<ProbeLoggerFn>(probe, "ProbeLogger")();
  g_line = procedure<ProbeLineFn>(probe, "ProbeLine");
  return probe;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HMODULE probe = loadProbe(argv[1]);
  g_line(g_logger, "first load");
  if (!FreeLibrary(probe)) return 4;

  std::atexit(afterUnload);
  loadProbe(argv[1]);
  for (int t = 0; t < 4; ++t)
    std::thread([t] {
      for (long n = 0;; ++n) {
        g_line(g_logger, ("T" + std::to_string(t) + " N" + std::to_string(n)).c_str());
        ++g_lines;
      }
    }).detach();
  waitForLines(400);
  return 0;
}
