// Reading one key of a 300-key settings file: from the cache, and with the cache
// flushed before each read (as after an outside change), which re-reads and parses.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "test_support.h"
#include "winprofile.h"

namespace {

struct SettingsFile {
  testing_support::TempFolder folder;
  std::string path = folder / "CorvexV0.inf";

  SettingsFile() {
    std::string content = "; suite settings\n";
    for (int section = 0; section < 10; ++section) {
      content += "[Section" + std::to_string(section) + "]\n";
      for (int key = 0; key < 30; ++key)
        content += "Key" + std::to_string(key) + "=value of key " + std::to_string(section * 30 + key) + "\n";
    }
    testing_support::WriteWholeFile(path, content);
    // An old file, as settings files are: the cache trusts it without comparing bytes.
    const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, path.c_str(), old, 0);
  }
};

void readOneKey(benchmark::State& state, bool flushFirst) {
  SettingsFile settings;
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
