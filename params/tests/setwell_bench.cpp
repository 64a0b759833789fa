// Setwell against the profile calls on a 300-key settings file: one key read from
// Setwell's cache, the same read with refresh, and GetPrivateProfileStringA; a Flush
// of 100 changes against the same 100 WritePrivateProfileStringA calls.
#include <benchmark/benchmark.h>


#include <string>

#include "Setwell.h"
#include "test_support.h"
#include "winprofile.h"

namespace {

using testing_support::SettingsFile300;

// Section and key of the n-th of 100 keys spread over the file.
std::string sectionOf(int n) { return "Section" + std::to_string(n / 10); }
std::string keyOf(int n) { return "Key" + std::to_string(n % 30); }

void setwellRead(benchmark::State& state, int refresh) {
  SettingsFile300 settings;
  Setwell* setwell = Setwell::GetInstance();
  setwell->Init(settings.path.c_str());
  char buffer[256];
  for (auto _ : state) {
    DWORD n = setwell->ReadStringParameter("Section5", "Key17", "", buffer, sizeof(buffer), settings.path.c_str(), 1,
                                           refresh);
    benchmark::DoNotOptimize(n);
  }
  delete setwell;
}

void BM_SetwellCachedRead(benchmark::State& state) { setwellRead(state, 0); }
void BM_SetwellRefreshRead(benchmark::State& state) { setwellRead(state, 1); }

void BM_ProfileRead(benchmark::State& state) {
  SettingsFile300 settings;
  char buffer[256];
  for (auto _ : state) {
    DWORD n = GetPrivateProfileStringA("Section5", "Key17", "", buffer, sizeof(buffer), settings.path.c_str());
    benchmark::DoNotOptimize(n);
  }
}

void BM_SetwellFlush100Changes(benchmark::State& state) {
  SettingsFile300 settings;
  Setwell* setwell = Setwell::GetInstance();
  setwell->Init(settings.path.c_str());
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string value = "round " + std::to_string(++round);
    for (int n = 0; n < 100; ++n)
      setwell->WriteParameter(sectionOf(n).c_str(), keyOf(n).c_str(), value.c_str(), settings.path.c_str(), 0);
    state.ResumeTiming();
    if (!setwell->Flush()) state.SkipWithError("flush failed");
  }
  delete setwell;
}

void BM_Profile100Writes(benchmark::State& state) {
  SettingsFile300 settings;
  int round = 0;
  for (auto _ : state) {
    const std::string value = "round " + std::to_string(++round);
    for (int n = 0; n < 100; ++n)
      WritePrivateProfileStringA(sectionOf(n).c_str(), keyOf(n).c_str(), value.c_str(), settings.path.c_str());
  }
}

}  // namespace

BENCHMARK(BM_SetwellCachedRead);
BENCHMARK(BM_SetwellRefreshRead);
BENCHMARK(BM_ProfileRead);
BENCHMARK(BM_SetwellFlush100Changes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Profile100Writes)->Unit(benchmark::kMillisecond);
