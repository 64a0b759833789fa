// dlopen + dlclose of a library in a fresh process: each iteration starts
// library_load_probe, which loads the one library (and everything below it) and reports
// the two times; process start and exit are not counted. "cpu_ms" is the probe thread's
// processor time for the same calls. PlatformGui is the cost the first window pays.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "test_support.h"

namespace {

void loadInFreshProcess(benchmark::State& state, const std::string& library) {
  const std::string probe = std::string(CORVEX_TEST_BIN_DIR) + "/library_load_probe";
  const std::string path = std::string(CORVEX_PROGRAM_DIR) + "/" + library;
  int objects = 0;
  double cpuSeconds = 0;
  for (auto _ : state) {
    const testing_support::ChildResult child = testing_support::RunProgram(probe, {path});
    long long openTime = 0, closeTime = 0, cpuTime = 0;
    int qtObjects = 0;
    std::istringstream(child.output) >> openTime >> closeTime >> objects >> qtObjects >> cpuTime;
    if (child.exitCode != 0) return state.SkipWithError(child.output.c_str());
    state.SetIterationTime(static_cast<double>(openTime + closeTime) / 1e9);
    cpuSeconds += static_cast<double>(cpuTime) / 1e9;
  }
  state.counters["objects"] = objects;
  state.counters["cpu_ms"] = benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK_CAPTURE(loadInFreshProcess, Logger, "Logger.so")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadInFreshProcess, Setwell, "Setwell.so")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadInFreshProcess, Tavix32, "Tavix32.so")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadInFreshProcess, PlatformGui, "PlatformGui.so")->UseManualTime()->Unit(benchmark::kMillisecond);
