// Test program: loads the logger at run time (through the probe library named on the
// command line), unloads and loads it again, then leaves through exit() while four
// threads keep writing with the instance fetched before. The exit handler, registered
// before the load, runs after the logger's unload code: it lets the threads write on
// and writes one more line itself.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "winmodule.h"

namespace {

void* g_logger = nullptr;
void (*g_line)(void*, const char*) = nullptr;
std::atomic<long> g_lines{0};

void waitForLines(long count) {
  for (int ms = 0; g_lines < count && ms < 10000; ++ms) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HMODULE loadProbe(const char* path) {
  HMODULE probe = LoadLibraryA(path);
  if (!probe) std::exit(3);
  g_logger = reinterpret_cast<void* (*)()>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeLogger")))();
  g_line = reinterpret_cast<void (*)(void*, const char*)>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeLine")));
  return probe;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HMODULE first = loadProbe(argv[1]);
  g_line(g_logger, "first load");
  if (!FreeLibrary(first)) return 4;
  std::atexit([] {
    waitForLines(g_lines + 200);
    g_line(g_logger, "after unload");
  });
  loadProbe(argv[1]);
  for (int t = 0; t < 4; ++t)
    std::thread([t] {
      for (long n = 0;; ++n, ++g_lines) g_line(g_logger, ("T" + std::to_string(t) + " N" + std::to_string(n)).c_str());
    }).detach();
  waitForLines(400);
  return 0;
}
