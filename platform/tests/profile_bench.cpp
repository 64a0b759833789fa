// Reading one key of a 300-key settings file: from the cache, and with the cache
// flushed before each read (as after an outside change), which re-reads and parses.
#include <benchmark/benchmark.h>


#include <string>

#include "test_support.h"
#include "winprofile.h"

namespace {

using testing_support::SettingsFile300;

void readOneKey(benchmark::State& state, bool flushFirst) {
  SettingsFile300 settings;
  char buffer[256];
  for (auto _ : state) {
    if (flushFirst) WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.path.c_str());
    DWORD n = GetPrivateProfileStringA("Section5", "Key17", "", buffer, sizeof(buffer), settings.path.c_str());
    benchmark::DoNotOptimize(n);
  }
}

void BM_ProfileReadCached(benchmark::State& state) { readOneKey(state, false); }
void BM_ProfileReadUncached(benchmark::State& state) { readOneKey(state, true); }

}  // namespace

BENCHMARK(BM_ProfileReadCached);
BENCHMARK(BM_ProfileReadUncached);
