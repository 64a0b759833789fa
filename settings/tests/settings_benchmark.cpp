// SetFile of the sample settings and its companion files (a fresh settings object and
// Setwell each time), with the platform's profile cache cold and warm, against
// reading the same files whole.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "CorvexSettings.h"
#include "objbase.h"
#include "Setwell.h"
#include "sample_layout.h"
#include "settings_instance.h"
#include "test_support.h"
#include "winprofile.h"

namespace fs = std::filesystem;

namespace {

struct Sample : SampleSettingsFolder {
  std::vector<std::string> files;

  Sample() {
    // The loader finds the country file and the data folder beside the running
    // program: lead them from this benchmark's folder to the sample's.
    CString here;
    Setwell::GetApplicationDirectory(here);
    const std::string toSample = fs::relative(program, here.str()).string() + "/";
    WritePrivateProfileStringA("SHAREDINFFILE", "CountryList", (toSample + "LANG.INF").c_str(), settingsFile.c_str());
    WritePrivateProfileStringA("LOCALINFFILE", "FileDirRoot", (toSample + "Data").c_str(), settingsFile.c_str());
    files = {settingsFile, program + "/PELKPELKD.INI", program + "/LANG.INF", program + "/Data/TOOLS.INF"};
    // Load once, so that the build stamp is written before the measurements.
    Load();
    // Files and folders changed in the last seconds are compared with the disk at
    // every lookup, as a program's would not be.
    for (const auto& entry : fs::recursive_directory_iterator(tmp.path()))
      fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // As at a program's start: COM not yet initialised on the thread.
  void Load() {
    CCorvexSettings::SetFile(settingsFile.c_str());
    CoUninitialize();
    DeleteSettingsInstance();
  }
  void DropProfileCache() {
    for (const std::string& file : files) WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  }
};

Sample& sample() {
  static Sample instance;
  return instance;
}

void BM_SetFileColdCache(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    sample().DropProfileCache();
    state.ResumeTiming();
    sample().Load();
  }
}
BENCHMARK(BM_SetFileColdCache)->Unit(benchmark::kMillisecond);

void BM_SetFileWarmCache(benchmark::State& state) {
  for (auto _ : state) sample().Load();
}
BENCHMARK(BM_SetFileWarmCache)->Unit(benchmark::kMillisecond);

void BM_RawReadOfTheSameFiles(benchmark::State& state) {
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    for (const std::string& file : sample().files) {
      std::ifstream in(file, std::ios::binary);
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      benchmark::DoNotOptimize(in.gcount());
    }
  }
}
BENCHMARK(BM_RawReadOfTheSameFiles)->Unit(benchmark::kMillisecond);

}  // namespace
