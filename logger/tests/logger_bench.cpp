// One log line against a plain fopen/fprintf/fclose of the same line (the ratio of
// their times), and lines per second from one and from four threads, at the default
// rotation limit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "Logger.h"
#include "test_support.h"
#include "winmodule.h"

namespace {

const std::string kText(80, 't');

// The logger reads CorvexV0.inf beside this program: point its folder at a temporary one.
struct LogFolder {
  testing_support::TempFolder tmp;
  LogFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string settings = std::string(path, std::strrchr(path, '/') + 1) + "CorvexV0.inf";
    testing_support::WriteWholeFile(settings, "[DIRECTORIES]\nTRACKINGLOG=" + tmp.path() + "\n[LOG]\n");
  }
};

LogFolder& folder() {
  static LogFolder f;
  return f;
}

// Lines of both kinds in turn, so that both meet the same load on the machine.
void BM_LoggerLineAgainstFopen(benchmark::State& state) {
  folder();
  Logger* log = Logger::getInstance();
  const std::string plain = folder().tmp / "plain.log";
  std::chrono::steady_clock::duration logged{}, baseline{};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    log->info(LOG_SCOPE_DEBUG, "Bench", kText.c_str());
    const auto middle = std::chrono::steady_clock::now();
    FILE* f = std::fopen(plain.c_str(), "a");
    std::fprintf(f, "07-12-2026 18:00:00 (GMT+00:00) - D - Info - Bench: %s\n", kText.c_str());
    std::fclose(f);
    logged += middle - start;
    baseline += std::chrono::steady_clock::now() - middle;
  }
  const double lines = static_cast<double>(state.iterations());
  state.counters["logger_us"] = std::chrono::duration<double, std::micro>(logged).count() / lines;
  state.counters["fopen_us"] = std::chrono::duration<double, std::micro>(baseline).count() / lines;
  state.counters["ratio"] = static_cast<double>(logged.count()) / static_cast<double>(baseline.count());
}

void BM_LoggerLinesPerSecond(benchmark::State& state) {
  folder();
  Logger* log = Logger::getInstance();
  for (auto _ : state) log->info(LOG_SCOPE_DEBUG, "Bench", kText.c_str());
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_LoggerLineAgainstFopen);
BENCHMARK(BM_LoggerLinesPerSecond)->Threads(1)->Threads(4)->UseRealTime();
