// The information feed: imports of new entries against a raw split of the same file
// (CSVReader lines through the record splitter, nothing stored), the re-import of known
// entries, and one hand-out from a store of 10,000 keys. The local copy of the feed
// lies beside this program, as the library expects it; the settings files lie in a
// temporary folder, aged like a program's files so that lookups trust their stamps.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "CorvexSettings.h"
#include "Setwell.h"
#include "csv_reader.h"
#include "sample_layout.h"
#include "settings_instance.h"
#include "test_support.h"
#include "winprofile.h"

namespace fs = std::filesystem;

namespace {

struct Feed : SampleSettingsFolder {
  std::string feedFile;

  Feed() {
    WritePrivateProfileStringA("INFOSCHECKER", "Build", "2020-01-1", settingsFile.c_str());
    CString here;
    Setwell::GetApplicationDirectory(here);
    feedFile = here.str() + "TamberloInfos.csv";
    CCorvexSettings::SetFile(settingsFile.c_str());
  }
  // Setwell writes what is pending while the files are still there.
  ~Feed() {
    DeleteSettingsInstance();
    fs::remove(feedFile);
  }

  void WriteFeed(int entries) {
    std::string content;
    for (int i = 0; i < entries; ++i)
      content += "entry" + std::to_string(i) + ";2021-06-1;1;First text " + std::to_string(i) +
                 ";Second text;Third text;img/picture" + std::to_string(i) + ".png;\n";
    testing_support::WriteWholeFile(feedFile, content);
  }
  void EmptyStore() { WritePrivateProfileStringA("INFOSDATA", nullptr, nullptr, settingsFile.c_str()); }
  void Age() { fs::last_write_time(settingsFile, fs::file_time_type::clock::now() - std::chrono::hours(1)); }
  void Import() {
    CStringArray addresses, paths;
    CCorvexSettings().ReadInfosFile(addresses, paths);
    benchmark::DoNotOptimize(paths.GetSize());
  }
};

Feed& feed() {
  static Feed instance;
  return instance;
}

void BM_ImportNewEntries(benchmark::State& state) {
  feed().WriteFeed(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    feed().EmptyStore();
    feed().Age();
    state.ResumeTiming();
    feed().Import();
  }
}
BENCHMARK(BM_ImportNewEntries)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RawSplitOfTheSameFile(benchmark::State& state) {
  feed().WriteFeed(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CSVReader reader(feed().feedFile.c_str(), CFile::modeRead | CFile::typeText);
    CStringArray fields;
    while (reader.ReadRecord(fields)) benchmark::DoNotOptimize(fields.GetSize());
  }
}
BENCHMARK(BM_RawSplitOfTheSameFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReimportKnownEntries(benchmark::State& state) {
  feed().WriteFeed(static_cast<int>(state.range(0)));
  feed().EmptyStore();
  feed().Import();
  feed().Age();
  for (auto _ : state) feed().Import();
}
BENCHMARK(BM_ReimportKnownEntries)->Arg(10000)->Unit(benchmark::kMillisecond);

// All entries shown but the last, which is shown at every call (so the store stays).
void BM_FirstInfosOfTenThousandKeys(benchmark::State& state) {
  std::string store = "[INFOSDATA]\n";
  for (int i = 0; i < 9999; ++i) store += "entry" + std::to_string(i) + "=0\n";
  store += "entry9999=\"2021-06-1;0;Last;;;;\"\n";
  feed().EmptyStore();
  testing_support::WriteWholeFile(feed().settingsFile, testing_support::ReadWholeFile(feed().settingsFile) + store);
  feed().Age();
  for (auto _ : state) {
    CString first, second, third, picture;
    CCorvexSettings().GetFirstInfos(first, second, third, picture);
    benchmark::DoNotOptimize(first.GetLength());
  }
}
BENCHMARK(BM_FirstInfosOfTenThousandKeys)->Unit(benchmark::kMillisecond);

}  // namespace
