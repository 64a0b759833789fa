// One log line against a plain fopen/fprintf/fclose of the same line, and line
// throughput with several threads at the default rotation limit.
#include <benchmark/benchmark.h>

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

void BM_LoggerInfoLine(benchmark::State& state) {
  folder();
  Logger* log = Logger::getInstance();
  for (auto _ : state) log->info(LOG_SCOPE_DEBUG, "Bench", kText.c_str());
  state.SetItemsProcessed(state.iterations());
}

void BM_FopenFprintfFclose(benchmark::State& state) {
  const std::string path = folder().tmp / "plain.log";
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "a");
    std::fprintf(f, "07-12-2026 18:00:00 (GMT+00:00) - D - Info - Bench: %s\n", kText.c_str());
    std::fclose(f);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_LoggerLinesPerSecond(benchmark::State& state) {
  folder();
  Logger* log = Logger::getInstance();
  for (auto _ : state) log->info(LOG_SCOPE_DEBUG, "Bench", kText.c_str());
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_LoggerInfoLine);
BENCHMARK(BM_FopenFprintfFclose);
BENCHMARK(BM_LoggerLinesPerSecond)->Threads(1)->Threads(4)->UseRealTime();
