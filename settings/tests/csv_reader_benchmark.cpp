// The information-file reader against a plain std::getline split of the same file.
// The baseline does no quoting, so it is a floor for the reader.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "csv_reader.h"
#include "test_support.h"

namespace {

const int kLines = 10000;

// Eight fields, some quoted with doubled quotes and separators inside, CRLF line ends.
const std::string& informationFile() {
  static testing_support::TempFolder folder;
  static const std::string path = [] {
    std::string content;
    for (int i = 0; i < kLines; ++i) {
      content += "entry" + std::to_string(i) + ";2024-3-" + std::to_string(i % 28 + 1) + ";" + std::to_string(i % 3) +
                 ";\"Title \"\"" + std::to_string(i) +
                 "\"\"; new\";Second text of the entry;\"Third; with a separator\";" + "pic" + std::to_string(i) +
                 ".png,https://example.invalid/p.png;more\r\n";
    }
    std::string file = folder / "TamberloInfos.csv";
    testing_support::WriteWholeFile(file, content);
    return file;
  }();
  return path;
}

void BM_CSVReaderRecords(benchmark::State& state) {
  const std::string& path = informationFile();
  for (auto _ : state) {
    CSVReader reader(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    CStringArray fields;
    size_t count = 0;
    while (reader.ReadRecord(fields)) count += static_cast<size_t>(fields.GetSize());
    benchmark::DoNotOptimize(count);
  }
  state.counters["lines/s"] = benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GetlineFields(benchmark::State& state) {
  const std::string& path = informationFile();
  for (auto _ : state) {
    std::ifstream in(path);
    std::string line;
    std::string field;
    size_t count = 0;
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      while (std::getline(fields, field, ';')) ++count;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["lines/s"] = benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_CSVReaderRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineFields)->Unit(benchmark::kMillisecond);
